program guestbook;
var message : string;
var book : text;
begin
  writewh();
  read_form(message,'msg');
  if message <> '' then
  begin
    append(book,'../guestbook.txt');
    writeln(book, message);
    closefile(book);
  end;
  writeln('<html><head><meta charset="utf-8"><title>Guest book</title></head><body>');
  writeln('<h1>Guest book</h1>');
  if message <> '' then
  begin
    write('<p>Thank you for signing: <q id="signed">');
    writewc(message);
    writeln('</q></p>');
  end;
  writeln('<form method="post" action="guestbook.pas">');
  writeln('<p><input name="msg" size="40"> <button>Sign</button></p>');
  writeln('</form>');
  writeln('</body></html>');
end.
