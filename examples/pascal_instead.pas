program instead;
var pass : integer;
var x : integer;
var y : integer;
var price : real;
var hundredths : integer;
var cents : integer;
var whole : integer;
var first : string;
var second : string;
var copy : string;
var both : string;
begin
  // Count with a while loop: there is no for.
  pass := 0;
  while pass < 3 do
  begin
    pass := pass + 1;
    writeln('pass ', pass);
  end;
  // No else: a second if with the opposite operator.
  x := 2;
  if x = 1 then
    writeln('x is 1');
  if x ! 1 then
    writeln('x is not 1');
  // No and: each comparison that fails jumps past the statement.
  y := 5;
  if x ! 2 then
    goto notboth;
  if y ! 5 then
    goto notboth;
  writeln('x is 2 and y is 5');
notboth:
  // Copy a string: concat looks the variable up and takes its value.
  first := 'hello';
  copy := concat('',first);
  writeln('copied: ', copy);
  // Two decimals: count in whole hundredths, then write the two parts.
  price := 22 / 7;
  hundredths := price * 100;
  cents := hundredths % 100;
  whole := hundredths - cents;
  whole := whole / 100;
  write('22 / 7 is about ', whole);
  if cents < 10 then
    write('.0');
  if cents > 9 then
    write('.');
  writeln(cents);
  // Several words of a line: read takes one word at a time.
  read(first);
  read(second);
  both := first + ' ' + second;
  writeln('read: ', both);
end.
