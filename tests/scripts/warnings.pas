program warnings;
var i : integer;
var f : text;
begin
  i := 0;
  while i < 1500 do
    i := i + 100;
    writeln(nme, other);
  end;
  total := 5;
  exec('/no/such/program', 'x');
  writeln('still running');
  rewrite(f,'no/such/dir/out.txt');
  repeat
    i := i + 1;
  until i = 0;
end.
