program lonely;
var i : integer;
begin
  writeln('before');
  until i = 3;
  writeln('never');
end.
