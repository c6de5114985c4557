program temperatures;
var c : real;
var f : real;
begin
  writeln('   Celsius   Fahrenheit');
  c := -10;
  repeat
    c := c + 10;
    f := c * 9 / 5 + 32;
    writeln(c:10, f:13);
  until c = 100;
end.
