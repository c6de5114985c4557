program about;
var v : string;
var year : string;
begin
  read_version(v);
  writeln('vp version ', v);
  read_date(year[21 .. 24]);
  if year > '2000' then
    writeln('It is later than the year 2000.');
  wround(2.5);
  wsqrt(2);
end.
