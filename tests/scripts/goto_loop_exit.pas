program finder;
var k : integer;
var s : string;
begin
  s := 'needle';
  k := 0;
  repeat
    k := k + 1;
    if k = 4 then
      goto found;
  until k = 10;
  writeln('not found');
found:
  writeln('found at ', k);
  k := 0;
  while count 5 do
    k := k + 1;
    if s $ 'eed' then
      goto out;
    writeln('never');
  end;
out:
  writeln('left the count loop on pass ', k);
end.
