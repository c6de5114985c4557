program folder;
begin
  writewh();
  writeln('<p>', GetCurrentDir, '</p>');
end.
