program noshell;
begin
  writeln('echo gets one argument, blanks and all:');
  system('/bin/echo', 'a    b    c');
end.
