program minus;
var x : integer;
var r : real;
var n : integer;
begin
  x := 2 * -3;
  writeln(x);
  x := 10 / -2;
  writeln(x);
  r := -2.5 ~;
  writeln(r);
  r := 1.5 * -.5;
  writeln(r);
  x := 5 - 3;
  writeln(x);
  x := 2 -3 + 1;
  writeln(x);
  x := 5 - -3;
  writeln(x);
  n := 4;
  x := 3 * - n;
  writeln(x);
  x := -4;
  writeln(x);
  x := x * -1;
  writeln(x);
end.
