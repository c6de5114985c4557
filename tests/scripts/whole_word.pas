program wholeword;
var x : integer;
var xy : integer;
var w : string;
var count : integer;
var count : integer;
begin
  x := 1;
  xy := 5;
  writeln(x);
  writeln(xy);
  w := 'kept';
  writeln(w);
  writeln(w);
  x	:= 7;
  writeln(x);
  x:=5;
  writeln(x);
  count := 3;
  count := count + 1;
  writeln(count);
  xyz := 9;
  writeln(x);
	x := 10;
  writeln(x);
end.
