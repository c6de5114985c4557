program clock;
var Ver : string;
   Day : string;
const Kept = old;
begin
  read_version(Ver);
  writeln(Ver);
  read_version(Kept
  read_version(Kept );
  writeln(Kept);
  read_date(Day);
  write(Day);
  writewc(Day:30);
  read_date(Day[21 .. 24]);
  writeln(Day);
  read_date(Day[12 .. 19]);
  writeln(Day);
  read_date(Day[1 .. 3]);
  writeln(Day);
  read_date(Day[9 .. 10]);
  writeln('[', Day, ']');
  read_date(Day[25 .. 25]);
  write(Day);
  read_date(Day[20 .. 40]);
  write('[', Day, ']');
  read_date(Day[7 .. 5]);
  writeln('[', Day, ']');
end.
