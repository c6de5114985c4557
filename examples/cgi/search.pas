program search;
var words : string;
var lang : string;
begin
  writewh();
  read_form(words,'q');
  read_form(lang,'lang');
  writeln('<html><head><meta charset="utf-8"><title>Search</title></head><body>');
  writeln('<form method="get" action="search.pas">');
  write('<p><input name="q" value="');
  writewc(words);
  writeln('">');
  writeln('<select name="lang"><option>en</option><option>de</option></select>');
  writeln('<button>Search</button></p>');
  writeln('</form>');
  if words <> '' then
  begin
    write('<p>You searched for <b id="words">');
    writewc(words);
    write('</b> in <span id="lang">');
    writewc(lang);
    writeln('</span>.</p>');
  end;
  writeln('</body></html>');
end.
