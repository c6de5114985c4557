program readtrace;
var age : integer;
begin
  readln(age);
  read(nosuch);
  read(age);
end.
