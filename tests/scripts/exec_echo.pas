program replace;
var Saved : text;
begin
  writeln('before exec');
  rewrite(Saved,'saved.txt');
  writeln(Saved, 'written before exec');
  exec('/bin/echo', 'hello');
  writeln('never');
end.
