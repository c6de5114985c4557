program logger;
var log : text;
var user : string;
begin
  user := 'ada';
  append(log,'app.log');
  writeln(log, 'started by ', user);
  writeln(log, 'work done');
  closefile(log);
  writeln('Wrote to app.log');
end.
