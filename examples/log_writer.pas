program logger;
var log : text;
var user : string;
begin
  user := 'ada';
  rewrite(log,'app.log');
  writeln(log, 'started by ', user);
  closefile(log);
  append(log,'app.log');
  writeln(log, 'work done');
  closefile(log);
  writeln('Wrote to app.log');
end.
