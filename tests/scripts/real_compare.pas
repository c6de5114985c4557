program reals;
var r : real;
var lim : real;
var h : hex;
var c : char;
begin
  r := 1 / 4;
  if r < 1 then
    writeln('0.25 < 1');
  if r = 0.25 then
    writeln('0.250000 = 0.25, compared as numbers');
  if r > 0.3 then
    writeln('0.25 > 0.3 does not hold');
  if r ! 0.25 then
    writeln('! does not hold');
  if r $ 0.25 then
    writeln('$ never holds for reals');
  lim := 2.5;
  repeat
    r := r + 1;
  until r > lim;
  writeln('stopped at ', r);
  repeat
    r := r - 0.5;
  until r = 1.75;
  writeln('stopped at ', r);
  h := 5;
  if h = 5 then
    writeln('hex variables never hold');
  c := x;
  if c = x then
    writeln('char variables never hold');
end.
