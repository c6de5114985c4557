program dispatch;
begin
writeln('not at column 0');
	writeln('not after a tab alone');
	  writeln('after a tab and two blanks');
  WriteLn('any case');
  writeln('http://example.com');
  (* writeln('comment'); *)
  writeln('a');  write('b');
  write('one');
  write(' two');
  writeln('');
  writeln();
  writeln('last'); end.
  writeln('never');
