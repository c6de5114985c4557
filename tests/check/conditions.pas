program conditions;
var n : integer;
var s : string;
var c : char;
var m : integer;
begin
  if n = 1 and s = 'a' then
    writeln('always');
  if n = 1 then writeln('always too');
  writeln('between');
  if n = 1 then begin
    writeln('x');
  end;
  if n = 1 then
  // a comment
    writeln('runs whatever n holds');
  if n = 1 then

    writeln('so does this');
  if n <= 5 then
    writeln('le');
  if n == 5 then
    writeln('eq');
  if s = abc then
    writeln('unquoted');
  if n = '5' then
    writeln('quoted number');
  if n=5 then
    writeln('no blanks');
  if n = 1 or n = 2 then
    writeln('or');
  if n = m then
    writeln('a name');
  if c = 'a' then
    writeln('char');
  if n $ 5 then
    writeln('contains');
  if n = 1 then
    if s = 'a' then
      writeln('both?');
  if n = 1 then
  begin
    if s = 'a' then
    begin
      writeln('inner');
    end;
    writeln('after inner');
  end;
  if s $ 'ell' then
    writeln('fine');
  if n > 3 then
  begin
    writeln('fine block');
  end;
end.
