program gotos;
var n : integer;
begin
back:
  goto back;
  goto nowhere;
  goto  done;
  goto indented;
  writeln('skipped');
  indented:
done:
  goto stop;
  x.
stop:
  goto last;
last
  writeln('landed');
end.
