program hello;
begin
  writeln('Hello, world!');
  writeln('Pi is about ', PI);
end.
