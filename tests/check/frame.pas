// no program line here, and this comment's begin counts as the begin
var n : integer;
begin
  writeln('The end.');
  writeln('never');
end.
