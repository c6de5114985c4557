program isolation;
var q : string;
var mark : string;
var log : text;
begin
  writewh();
  read_query_string(q);
  if q = 'set' then
  begin
    mark := 'left over';
    rewrite(log,'isolation.log');
    writeln(log, 'from the first request');
  end;
  writeln('<p>query: ', q, '</p>');
  writeln('<p>mark: ', mark, '</p>');
end.
