program repeats;
var i : integer;
var m : integer;
var max : integer;
var s : string;
begin
  i := 0;
  repeat
    i := i + 1;
    write(i);
  until i = 3;
  writeln(' counted to three');
  repeat
    writeln('a true condition at the first test: once');
  until i = 3;
  max := 10;
  m := 4;
  repeat
    i := i + 1;
  until i > max;
  writeln('max names m first (m occurs in max): stopped at ', i);
  s := 'a';
  repeat
    s := s + 'b';
  until s = 'abbb';
  writeln(s);
  repeat
    s := s + 'x';
  until s $ 'xx';
  writeln(s);
  s := 'abc';
  repeat
    writeln('abc sorts before m');
  until s < 'm';
  s := 'xyz';
  repeat
    writeln('xyz sorts after m');
  until s > 'm';
  i := 0;
  m := 0;
  repeat
    write('outer ');
    repeat
      i := i + 1;
    until i > 1;
    m := m + 1;
  until m = 2;
  writeln('i=', i, ': the outer loop went back into the inner one');
end.
