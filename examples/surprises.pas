program surprises;
var x : integer;
var y : integer;
var s : string;
begin
  y := 5;
  x := y;
  writeln('x holds the text ', x);
writeln('Not indented: never runs.');
  writeln('Holds a comment mark, so never runs: http://example.org');
  x := 1;
  if x = 1 and y = 5 then
    writeln('An if with and is no if: this runs.');
  if x = 2 and y = 6 then
    writeln('And so does this.');
  s := 'abc';
  insert('XY', s, 2);
  writeln(s);
  insert('XY',s,2);
  writeln(s);
end.
