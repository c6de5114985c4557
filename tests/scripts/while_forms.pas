program whiles;
var n : integer;
var k : integer;
begin
  n := 0;
  while n < 3 do
    write(n);
    n := n + 1;
  end;
  writeln(' less');
  n := 0;
  while n <= 3 do
    write(n);
    n := n + 1;
  end;
  writeln(' less or equal');
  n := 10;
  while n < 3 do
    write(n);
    n := n + 1;
  end;
  writeln(' already past the bound: once');
  k := 3;
  while k > 0 do
    write(k);
    k := k - 1;
  end;
  writeln(' more');
  k := 3;
  while k >= 0 do
    write(k);
    k := k - 1;
  end;
  writeln(' more or equal');
  n := 0;
  while n < 2.5 do
    write(n);
    n := n + 1;
  end;
  writeln(' bound 2.5 reads as 2');
  n := 0;
  while n < 1000 do
    n := n + 1;
  end;
  writeln(n, ' passes: bound 1000 reads as 100');
  k := 0;
  while k > -3 do
    write(k);
    k := k - 1;
  end;
  writeln(' negative bound');
  n := 0;
  while n <2 do
    write(n);
    n := n + 1;
  end;
  writeln(' no blank after the operator');
end.
