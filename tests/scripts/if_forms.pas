program ifs;
var n : integer;
var s : string;
var a : integer;
begin
  n := 12;
  if n = 12 then
    writeln('= holds');
  if n < 13 then
    writeln('< holds');
  if n > 13 then
    writeln('> does not hold');
  if n ! 13 then
    writeln('! holds');
  if n <> 12 then
    writeln('<> does not hold');
  if n $ 12 then
    writeln('$ never holds for integers');
  n := 0012;
  if n = 12 then
    writeln('0012 = 12');
  s := 'hello';
  if s = 'hello' then
    writeln('strings equal');
  if s < 'help' then
    writeln('hello sorts before help');
  if s > 'hellp' then
    writeln('hello does not sort after hellp');
  if s <> 'hello' then
    writeln('<> does not hold');
  if s $ 'ell' then
    writeln('ell occurs in hello');
  if s $ '' then
    writeln('the empty text occurs in every value');
  if zz = 1 then
    writeln('an undeclared name never holds');
  a := 5;
  if a = 1 and n = 2 then
    writeln('a line with and is no if: this line runs');
  if n = 12 then
  begin
    writeln('block runs');
    if s = 'hello' then
    begin
      writeln('inner block runs');
    end;
    writeln('rest of the outer block');
  end;
  if n = 13 then
  begin
    writeln('skipped');
    if s = 'hello' then
    begin
      writeln('skipped too');
    end;
    writeln('the skip ended at the inner end: this runs');
  end;
  writeln('done');
end.
