program decisions;
var answer : string;
var n : integer;
begin
  answer := 'yes please';
  n := 5;
  if answer $ 'yes' then
    writeln('You said yes.');
  if n > 3 then
  begin
    writeln('n is more than 3,');
    writeln('so the whole block runs.');
  end;
  if n = 3 then
    writeln('This line is skipped.');
  if answer < 'z' then
    writeln('yes please sorts before z.');
  writeln('Done.');
end.
