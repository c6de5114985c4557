program pause;
var T : integer;
begin
  delay(999);
  delay(-1000);
  delay(T);
  Delay(0);
  delay(12
  writeln('no pause');
end.
