program stop;
var total : integer;
begin
  total := 2;
  writeln(total);
  total + 1
  writeln(total);
end.
