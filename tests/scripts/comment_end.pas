program t;
begin
  writeln('before');
  // the run stops at end. here
  writeln('after');
end.
