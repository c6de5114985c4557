program hello;
begin
  writewh();
  writeln('Hello, world!');
end.
