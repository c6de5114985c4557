program t
begin
  writeln('x');
