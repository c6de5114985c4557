program above;
begin
top:
  writeln('once');
  goto top;
  writeln('never');
end.
