program fatal;
var n : integer;
begin
  writewh();
  writeln('before the error');
  n := 1
  writeln('never reached');
end.
