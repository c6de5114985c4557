program stop;
begin
  writeln('stopping');
  halt(1);
  writeln('never');
end.
