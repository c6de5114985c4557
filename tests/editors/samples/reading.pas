// SYNTAX TEST "source.vp" "statements are coloured where the interpreter finds them"
program reading;
// <------- keyword.other.frame.vp
var count : integer;
// <--- keyword.other.declaration.vp
//          ^^^^^^^ storage.type.vp
   name : string;
//        ^^^^^^ storage.type.vp
const limit = 3;
// <----- keyword.other.declaration.vp
begin
// <----- keyword.other.frame.vp
// Two blanks or more, in any letter case; a tab then two blanks also works.
  WriteLn('Hello');
//^^^^^^^ keyword.other.statement.vp
//        ^^^^^^^ string.quoted.single.vp - invalid.illegal.in-text.vp
	  write(count:3);
//<~~~----- keyword.other.statement.vp
//             ^ constant.numeric.vp
  halt;
//^^^^ keyword.other.statement.vp
// The extensions, the CGI readers among them.
  writewc(name);
//^^^^^^^ keyword.other.extension.vp
  read_form(name,'who');
//^^^^^^^^^ keyword.other.extension.vp
  READ_COOKIE(name,'id');
//^^^^^^^^^^^ keyword.other.extension.vp
  exec('/bin/echo', 'hi');
//^^^^ keyword.other.extension.vp
// Control words in lower case; the loops and the if take their conditions.
  while count 3 do
//^^^^^ keyword.control.vp
  begin
    count := count + 1;
//  ^^^^^^^^^^^^^^^^^^^ - invalid.illegal.tab-indent.vp invalid.illegal.assignment.vp
  end;
//^^^ keyword.control.vp
  repeat
//^^^^^^ keyword.control.vp
  until count = limit;
//^^^^^ keyword.control.vp
  if name = 'and' then
//^^ keyword.control.vp
//          ^^^ - invalid.illegal.and-on-if-line.vp
    goto done;
//  ^^^^ keyword.control.vp
// A word in a text is only text, unless two blanks stand before it.
  writeln('write(x) is text');
//         ^^^^^^^^^^^^^^^^ string.quoted.single.vp - invalid.illegal.in-text.vp
done:
end.
// <---- keyword.other.frame.vp
