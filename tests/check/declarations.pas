program declarations;
var
   a : integer;
var b: integer;
var c, d : integer;
var e : Integer;
var f : single;
var g : boolean;
var constant_rate : real;
  h : integer;
var i : integer;
   j : real;
const k = 5;
   l : real;
   m = 7;
const p =8;
x := 1;
begin
var z : integer;
  i := 1;
end.
