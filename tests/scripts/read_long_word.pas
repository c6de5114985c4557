program longword;
var w : string;
begin
  read(w);
  writeln('[', w, ']');
  read(w);
  writeln('[', w, ']');
  read(w);
  writeln('[', w, ']');
  read(w);
  writeln('[', w, ']');
end.
