program listing;
begin
  writewh();
  writeln('<html><body><p>');
  query_remote_web_client();
  writeln('</p></body></html>');
end.
