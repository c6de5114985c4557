program deletefaults;
const a = hello;
const b = hello;
const c = hello;
const d = hello;
const e = hello;
begin
  delete(a,0,2);
  writeln(a);
  delete(b,x,2);
  writeln(b);
  delete(c,2,-1);
  writeln(c);
  delete(d 2,1);
  delete(d);
  delete(d
  delete(d,
  delete(
  writeln(d);
  delete(e,2,3
  writeln(e);
end.
