program escaping;
var Agent : string;
   Query : string;
begin
  writewh();
  query_remote_web_client();
  read_http_user_agent(Agent);
  read_query_string(Query);
  writewc('<p>',Agent,'</p>');
  writeln('');
  writewc(Query:30);
  writeln('');
  writeln(Agent, '|', Query);
end.
