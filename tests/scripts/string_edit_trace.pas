program edittrace;
const s = hello;
const w = world;
begin
  insert('XY',s,3);
  insert(w,s,99);
  delete(s,3,2);
  delete(nosuch,1,1);
  findrp(s,'lo','LO');
  findow(s,'w','W');
  findow(s,'nothing','x');
  writeln(s);
end.
