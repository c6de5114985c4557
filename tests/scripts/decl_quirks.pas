program q;
var x: integer;
var y : Integer;
   var z : integer;
var myconstant : integer;
var a : real;
   b : string;
   myvar : integer;
const k = 9;
   m = hello;
   notaconst : real;
var c1 : char;
var h1 : hex;
begin
end.
