program endless;
begin
  repeat
  write('x');
  until nothing = 1;
end.
