program web;
var X : string;
   Y : string;
   Out : text;
const Abc = abc;
begin
  writewh();
  writewc('Tom & Jerry "<b>"');
  writeln('');
  writewc('a','b');
  writewc('a', 'b');
  writewc('|',Abc:5,'|');
  writewc(Abc:3,Abc);
  writewc(Abc:2);
  writewc(Abc);
  writeln('');
  rewrite(Out,'out.txt');
  writeln(Out, 'to the file');
  writewc('<still on standard output>');
  WriteWC('', Abc);
  writeln('');
  closefile(Out);
  writewc('unclosed <
  writewc('it''s');
  writeln('');
  writewh();
end.
