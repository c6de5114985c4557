program surprises;
var x : integer;
var y : integer;
var s : string;
begin
  y := 5;
  // check: ignore copies-name
  x := y;
  writeln('x holds the text ', x);
// check: ignore line-does-nothing
writeln('Not indented: never runs.');
  // check: ignore comment-drops-line
  writeln('Holds a comment mark, so never runs: http://example.org');
  x := 1;
  // check: ignore if-with-and
  if x = 1 and y = 5 then
    writeln('An if with and is no if: this runs.');
  // check: ignore if-with-and
  if x = 2 and y = 6 then
    writeln('And so does this.');
  s := 'abc';
  // check: ignore blank-after-comma
  insert('XY', s, 2);
  writeln(s);
  insert('XY',s,2);
  writeln(s);
end.
