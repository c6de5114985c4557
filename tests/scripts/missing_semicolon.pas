program stop;
var x : integer;
begin
  x := 1;
  writeln(x);
  x := 5
  writeln(x);
end.
