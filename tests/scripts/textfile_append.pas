program a;
var f : text;
var g : text;
begin
  append(f,'log.txt');
  writeln(f, 'second');
  rewrite(g,'other.txt');
  writeln(g, 'to other');
  writeln(f, 'also other');
  closefile(g);
  rewrite(f, 'bad.txt');
  writeln(f, 'dropped');
  closefile(f);
  writeln(f);
  writeln('x');
end.
