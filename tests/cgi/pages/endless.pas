program endless;
var n : integer;
label top;
begin
  writewh();
  n := 0;
top:
  n := n + 1;
  goto top;
end.
