program formpost;
var size : string;
var body : string;
begin
  writewh();
  read_content_length(size);
  read(body);
  writeln('<html><body>');
  write('<p>The form sent ');
  writewc(size);
  write(' bytes: ');
  writewc(body);
  writeln('</p>');
  writeln('</body></html>');
end.
