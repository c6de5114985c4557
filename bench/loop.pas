program bench;
var i : integer;
var total : integer;
var s : string;
var t : string;
begin
  i := 0;
  total := 0;
  s := 'x';
  while i < 999 do
    i := i + 1;
    total := total + i;
    t := 'row ' + s;
    if i > 500 then
      total := total - 1;
    writeln('line ', i, ' total ', total);
  end;
  writeln(total);
end.
