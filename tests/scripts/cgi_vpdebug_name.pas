program page;
var Query : string;
begin
  read_query_string(Query);
  writewc(Query);
  writeln('');
end.
