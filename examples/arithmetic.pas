program arithmetic;
var x : integer;
var r : real;
begin
  x := 2 + 3 * 4;
  writeln('2 + 3 * 4 is ', x);
  x := 7 / 2;
  writeln('7 / 2 into an integer is ', x);
  r := 7 / 2;
  writeln('7 / 2 into a real is ', r);
  x := 17 % 5;
  writeln('17 % 5 is ', x);
  x := 2 ^ 10;
  writeln('2 ^ 10 is ', x);
  r := 2 #;
  writeln('the square root of 2 is ', r);
  x := 2.5 ~;
  writeln('2.5 rounded is ', x);
  x := x * -2;
  writeln('times -2 it is ', x);
end.
