program request;
var Query : string;
   Client : string;
begin
  writewh();
  read_query_string(Query);
  read_remote_addr(Client);
  writeln('<html><body>');
  write('<p>You asked for: ');
  writewc(Query);
  writeln('</p>');
  write('<p>Your address: ');
  writewc(Client);
  writeln('</p>');
  writeln('</body></html>');
end.
