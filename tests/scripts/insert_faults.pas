program insertfaults;
const a = hello;
const b = hello;
const c = hello;
const d = hello;
const e = hello;
const f = hello;
const g = hello;
begin
  insert('XY',a,0);
  write('position 0: ');
  writeln(a);
  insert('XY',b,x);
  write('position x: ');
  writeln(b);
  insert('XY',c,-3);
  write('position -3: ');
  writeln(c);
  insert('XY,d,2);
  write('unclosed quote: ');
  writeln(d);
  insert('XY',d);
  insert('XY',d 2);
  insert(a d,2);
  insert(
  write('missing comma: ');
  writeln(d);
  insert(nosuch,e,2);
  insert('XY',nosuch,2);
  write('unknown names: ');
  writeln(e);
  insert(a,f,3
  write('no parenthesis: ');
  writeln(f);
  insert('XY',g,12345);
  write('three digits: ');
  writeln(g);
end.
