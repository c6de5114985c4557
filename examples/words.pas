program words;
var s : string;
var w : string;
begin
  s := 'hello world';
  w := concat('big',' ');
  insert(w,s,7);
  writeln(s);
  delete(s,1,6);
  writeln(s);
  findrp(s,'big','new');
  writeln(s);
  findrp(s,'world','place');
  writeln(s);
  findow(s,'new','a');
  writeln(s);
end.
