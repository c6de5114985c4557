program rounding;
var x : integer;
begin
  x := 41;
  wround(2.5);
  wround(-2.5);
  wround(2.49);
  wround(-0.4);
  WROUND(7.6);
  wround(x);
  wsqrt(2);
  wsqrt(16);
  WSqrt(0.25);
  wsqrt(x);
  writeln(x);
wround(9.5);
end.
