program countdown;
var n : integer;
begin
  n := 3;
  while n > 0 do
  begin
    writeln(n, '...');
    n := n - 1;
  end;
  writeln('Liftoff!');
  while count 2 do
  begin
    writeln('Hooray!');
  end;
end.
