program handover;
begin
  writeln('Waiting a second...');
  delay(1000);
  writeln('Handing over to echo.');
  exec('/bin/echo', 'hello from echo');
  writeln('Not reached while /bin/echo exists.');
end.
