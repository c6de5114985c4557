program statements;
var s : string;
var n : integer;
const k = 5;
begin
	writeln('tab');
 writeln('one blank');
  WriteLn('any case works');
  Repeat
  writeln;
  writln('x');
  for i := 1 to 3 do
  else
  end
  { a comment }
  k := 9;
	n := 1;
  m := 2;
  writeln('a', n, mm);
  read(nn);
  writeln(N);
  writeln('see http://example.org');
  n := 1; // one
  // a comment line
  read(n);  writeln(n);
  insert('XY', s, 2);
  insert('XY',s,2);
  writeln('a',  n);
  writeln('a', n);
  delete(s,1,2);
  goto done;
  writeln('skipped');
done
  writeln('landed');
end.
