program grid;
var row : integer;
var col : integer;
var p : integer;
begin
  row := 0;
  while row < 3 do
  begin
    row := row + 1;
    col := 0;
    repeat
      col := col + 1;
      p := row * col;
      write(p:4);
    until col = 3;
    writeln('');
  end;
end.
