program hello;
const greeting = Hello;
begin
  writeln('Hello, world!');
  writeln('This is vp, version ', PI:0);
end.
