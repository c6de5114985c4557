program refused;
begin
  exec('/no/such/program', 'x');
  writeln('missing program: the script goes on');
  exec('/bin/echo');
  exec('/bin/echo', 'x);
  writeln('fewer than four quotes: nothing runs');
  exec('/././././././././././././././././././././././././././././././././././././././././././././././././././././././././././../bin/echo', 'path of 128');
  writeln('path over 127 characters: refused');
  exec('/./././././././././././././././././././././././././././././././././././././././././././././././././././././././././././bin/echo', 'path of 127 runs');
  writeln('never');
end.
