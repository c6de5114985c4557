program loops;
var i : integer;
var n : integer;
var j : integer;
begin
  until i = 3;
  i := 0;
  repeat
    j := 0;
    repeat
      j := j + 1;
    until j = 2;
    i := i + 1;
    read(n);
  until i = n;
  while i < 1500 do
  begin
    i := i + 1;
  end;
  while i < n do
  begin
    i := i + 1;
  end;
  while i < 2.5 do
  begin
    i := i + 1;
  end;
  while count n do
  begin
    writeln('once');
  end;
  n := 3;
  while n > 0 do
  begin
    n := n - 1;
  end;
  while i < 10 do
  begin
    while j < 5 do
    begin
      j := j + 1;
    end;
    while count 2 do
    begin
      writeln('x');
    end;
  end;
  while j < 999 do
  begin
    j := j + 1;
    if j = 500 then
    begin
      writeln('half way');
    end;
    writeln('only on the last pass');
  end;
  while i < 10 do
  begin
    repeat
      i := i + 1;
    until i = 5;
  end;
  repeat
    i := i + 1;
    if i = 3 then
  until i > 5;
  repeat
    i := i + 1;
    if i > 9 then
    begin
      writeln('ten');
  until i > 12;
    end;
  while count 3 do
  begin
    writeln('no end');
  repeat
    writeln('no until');
end.
