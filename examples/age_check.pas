program agecheck;
var age : integer;
begin
  readln(age);
  writeln('Checking age ', age);
  if age < 18 then
    halt(1);
  writeln('Welcome.');
end.
