program one;
begin
  write('echo says: ');
  System('/bin/echo', '-n  two  blanks');
end.
