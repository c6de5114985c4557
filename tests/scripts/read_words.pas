program readwords;
var first : string;
var second : string;
var third : string;
var n : integer;
var last : string;
begin
  write('Your name? ');
  readln(first);
  writeln('Hello, ', first, '!');
  readln(second);
  readln(third);
  writeln(second, '+', third);
  ReadLn(n);
  writeln('n=', n);
  read(n );
  READ(last);
  writeln('last=[', last, ']');
  read(last);
  writeln('at the end=[', last, ']');
end.
