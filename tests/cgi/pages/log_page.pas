program logpage;
var log : text;
var q : string;
begin
  writewh();
  read_query_string(q);
  writeln('<p>logged</p>');
  rewrite(log,'page.log');
  writeln(log, 'request ', q);
end.
