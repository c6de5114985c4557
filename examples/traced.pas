program traced;
var n : integer;
begin
  n := 2 + 3;
  writeln(n);
end.
