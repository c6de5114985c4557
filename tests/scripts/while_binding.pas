program binding;
var i : integer;
var n : integer;
begin
  i := 0;
  n := 0;
  while n < 3 do
    n := n + 1;
    i := i + 2;
  end;
  writeln('i binds, as it occurs in while: n=', n, ' i=', i);
  while zz < 2 do
    writeln('no such name: i binds again and already stands past the bound');
  end;
end.
