program longword;
var word : string;
begin
  read(word);
  writeln('[', word, ']');
  read(word);
  writeln('[', word, ']');
  read(word);
  writeln('[', word, ']');
  read(word);
  writeln('[', word, ']');
end.
