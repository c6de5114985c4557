program page;
var who : string;
var title : string;
var greeting : string;
var row : string;
var k : integer;
begin
  writewh();
  read_query_string(who);
  delete(who,1,5);
  title := 'Guest book of ' + who;
  greeting := concat('Hello, ',who);
  insert('dear ',greeting,8);
  findrp(greeting,'Hello','Howdy');
  writeln('<html>');
  writeln('<head><title>', title, '</title></head>');
  writeln('<body>');
  write('<h1>');
  writewc(title);
  writeln('</h1>');
  write('<p>');
  writewc(greeting,'!');
  writeln('</p>');
  write('<p>');
  writewc('Tom & Jerry say <hi> to "you"');
  writeln('</p>');
  delete(title,1,6);
  write('<p>');
  writewc(title);
  writeln('</p>');
  k := 0;
  writeln('<table>');
  while count 20 do
    k := k + 1;
    row := 'Entry ' + k;
    if k > 15 then
      row := row + ' (new)';
    write('<tr><td>', k, '</td><td>');
    writewc(row);
    writeln('</td></tr>');
  end;
  writeln('</table>');
  write('<p>');
  writewc('Rows: 20 & counting');
  writeln('</p>');
  writeln('</body>');
  writeln('</html>');
end.
