program output;
const name = Ada;
const n = 42;
begin
  write('No line end, ');
  writeln('then one.');
  writeln('[', n:5, ']');
  writeln(name, ' has ', n, ' points.');
  writeln();
  writeln('After an empty line.');
end.
