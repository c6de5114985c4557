program forms;
var visits : integer;
var total : integer;
var words : string;
begin
  read_cookie(visits,'visits');
  total := visits + 1;
  read_form(words, 'q');
  Read_Form(words ,'q');
  read_form(nosuch,'q');
  writewc(words);
  writeln(total);
end.
