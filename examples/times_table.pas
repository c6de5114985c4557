program times;
var i : integer;
var p : integer;
begin
  i := 0;
  while i < 10 do
  begin
    i := i + 1;
    p := i * 7;
    writeln(i:2, ' x 7 = ', p:2);
  end;
end.
