program stop;
var Log : text;
begin
  writeln('before halt');
  rewrite(Log,'log.txt');
  writeln(Log, 'written before halt');
  closefile(Log);
  append(Log,'log.txt');
  writeln(Log, 'still buffered at halt');
  HALT;
  writeln('never');
