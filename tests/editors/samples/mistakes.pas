// SYNTAX TEST "source.vp" "lines that never run as written are in the error colour"
program mistakes;
var x : integer;
var s : string;
var y: integer;
//   ^ invalid.illegal.declaration.vp
var b : Boolean;
//      ^^^^^^^ invalid.illegal.declaration.vp
begin
// One blank before a statement: the interpreter looks for two.
 writeln('not run');
//^^^^^^ invalid.illegal.not-recognised.vp
// A tab-indented assignment: the name is matched after blanks only.
	x := 1;
// <-- invalid.illegal.tab-indent.vp
// A comment mark inside a quoted text drops the whole line.
  writeln('see http://example.org');
//^^^^^^^^^^^^^ comment.line.vp
//                  ^^ comment.line.vp invalid.illegal.in-text.vp
// end. inside a quoted text ends the run after this line.
  writeln('the end.');
//             ^^^^ string.quoted.single.vp invalid.illegal.in-text.vp
// An if line holding ' and' is no if at all.
  if x = 1 and s = 'a' then
//^^ - keyword.control.vp
//         ^^^ invalid.illegal.and-on-if-line.vp
// A tab alone before a statement, or a tab and one blank.
	writeln('not run');
//<~------- invalid.illegal.not-recognised.vp
	 writeln('not run');
// <~~------- invalid.illegal.not-recognised.vp
// Control words match in lower case only.
  Repeat
//^^^^^^ invalid.illegal.not-recognised.vp
  If x = 1 then
//^^ invalid.illegal.not-recognised.vp
// A while line needs ' <' or ' >' and do.
  while x<3 do
//^^^^^ invalid.illegal.not-recognised.vp
// Pascal habits: writeln; and a blank before the parenthesis.
  writeln;
//^^^^^^^ invalid.illegal.not-recognised.vp
  writeln ('x');
//^^^^^^^ invalid.illegal.not-recognised.vp
  x:=5;
// ^^ invalid.illegal.assignment.vp
  { not a comment }
//^^^^^^^^^^^^^^^^^ invalid.illegal.brace-comment.vp
  writeln('no closing quote);
//         ^^^^^^^^^^^^^^^^^^ invalid.illegal.unclosed-text.vp
end;
// <--- invalid.illegal.not-recognised.vp
end.
