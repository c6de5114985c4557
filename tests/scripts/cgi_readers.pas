program readers;
var Agent : string;
   Query : string;
   Addr : string;
const Kept = old;
   Length = old;
begin
  read_http_user_agent(Agent);
  read_query_string(Query);
  read_remote_addr(Addr);
  read_content_length(Length);
  writeln('[', Agent, '][', Query, '][', Addr, '][', Length, ']');
  read_query_string(Kept );
  writeln(Kept);
  read_query_string(Kept
  writeln(Kept);
  Read_Query_String(Kept);
  writeln(Kept);
end.
