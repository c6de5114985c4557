program count;
var i : integer;
begin
  i := 0;
  repeat
    i := i + 1;
    writeln('line ', i);
  until i = 3;
end.
