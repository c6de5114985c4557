program escape;
var Agent : string;
begin
  writewh();
  read_http_user_agent(Agent);
  writeln('<html><body>');
  write('<p>Your browser says: ');
  writewc(Agent);
  writeln('</p>');
  writeln('</body></html>');
end.
