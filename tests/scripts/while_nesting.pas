program nesting;
var k : integer;
var m : integer;
begin
  k := 0;
  while count 3 do
    k := k + 1;
    if k > 1 then
    begin
      writeln('block on pass ', k);
    end;
    writeln('after the block, k=', k);
  end;
  writeln('after the count loop');
  m := 0;
  while count 2 do
    while m < 3 do
      m := m + 1;
      write(m);
    end;
    write('|');
  end;
  writeln(' two forms share their end lines');
end.
