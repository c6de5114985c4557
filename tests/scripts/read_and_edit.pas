program greeting;
var name : string;
var city : string;
var code : string;
const card = Dear_,_welcome_to_!;
begin
  write('Your name: ');
  readln(name);
  write('Your city: ');
  readln(city);
  insert(city,card,19);
  insert(name,card,6);
  findrp(card,'_',' ');
  findrp(card,'_',' ');
  findrp(card,'_',' ');
  findrp(card,'_',' ');
  writeln('');
  writeln(card);
  write('Your code: ');
  readln(code);
  delete(code,4,1);
  insert('-',code,4);
  findow(code,'abc','ABC');
  writeln('');
  writeln(code);
end.
