program w;
const x = abc;
const n = 42;
begin
  writeln(x:5);
  writeln(x:2);
  writeln(x, 'b');
  writeln('a', 'b');
  writeln('it''s');
  writeln(x:100, n);
  writeln(n ,x);
  writeln('[', n:4, ']');
  writeln('unclosed);
  writeln(nosuch);
end.
