program handover;
begin
  writewh();
  writeln('<p>before the program</p>');
  exec('/bin/echo', 'from the program');
  writeln('<p>after the program</p>');
end.
