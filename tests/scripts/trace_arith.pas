program tracearith;
var total : integer;
begin
  total := 5;
  total := total + 10 * 2;
end.
