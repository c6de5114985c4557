program tw;
var k : integer;
begin
  k := 0;
  while k < 2 do
    k := k + 1;
  end;
  while k >= 2 do
    k := 1;
  end;
  while count 2 do
  end;
end.
