program assignments;
var a : integer;
var ab : integer;
var x : integer;
var total : integer;
var s : string;
var q : string;
var pin : integer;
begin
  x := a;
  x := a + 0;
  s := q;
  s := q + '';
  s := 'q';
  x := x+1;
  x := x + 1;
  x := -5;
  s := 'Hello '+q;
  s := 'Hello ' + q;
  x:=5;
  x :=5;
  x  := 5;
  x := 5;
  x := ab + 1;
  x := a + 1;
  x := totl + 1;
  x := total2 + 1;
  s := q + ab + name;
  s := concat('a', q);
  s := concat('a',q);
  read(pin);
  x := pin + 1;
  x := total + 1;
  s := query;
  s := 'query';
  x := totl;
  x := 5
end.
