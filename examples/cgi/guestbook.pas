program guestbook;
var message : string;
begin
  writewh();
  read_query_string(message);
  delete(message,1,4);
  writeln('<html><body>');
  writeln('<h1>Guest book</h1>');
  write('<p>');
  writewc(message);
  writeln('</p>');
  writeln('</body></html>');
end.
