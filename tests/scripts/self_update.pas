program selfupdate;
var i : integer;
var r : real;
var s : string;
var c : char;
var h : hex;
begin
  i := 123456;
  i := i + 1;
  writeln(i);
  i := i * 10;
  writeln(i);
  r := 1.25;
  r := r * 2;
  writeln(r);
  r := r - 0.125;
  writeln(r);
  s := 'a long sentence';
  s := s + '!';
  writeln(s);
  s := s + '?';
  writeln(s);
  c := 'abcdefghij';
  c := 'a' + x;
  writeln(c);
  h := FF00FF;
  h := h * 2;
  writeln(h);
end.
