program v;
const k = 9;
const q = 'it is';
const t = text;
   u = 12;
begin
  writeln(k, q, t, u);
  closefile(t);
  writeln(u);
  writeln(PI);
end.
