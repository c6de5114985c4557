program f;
var f : text;
var s : string;
const v = val;
begin
  rewrite(f,'out.txt');
  writeln('quoted dropped');
  writeln(v);
  writeln(f, 'hello');
  writeln(v);
  WRITELN('caps');
  write('no newline');
  closefile(f);
  writeln('back');
  closefile(f);
  writeln(f);
  writeln('nowhere');
  closefile(f);
  writeln('stdout again');
end.
