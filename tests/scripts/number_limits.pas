program limits;
var x : integer;
var r : real;
var k : integer;
begin
  x := 7 % 0;
  writeln(x);
  k := 0;
  x := 7 % k;
  writeln(x);
  x := -2147483648 % -1;
  writeln(x);
  x := 5000000000 % 7;
  writeln(x);
  r := 1e20 ~;
  writeln(r);
  r := -3e9 ~;
  writeln(r);
  x := 1e30 * 1e30;
  writeln(x);
  wround(1e12);
  wround(-3e9);
  wround(2147483647);
  wround(nan);
  wround(2.5
  wsqrt(16
end.
