program d;
begin
  writeln(GetCurrentDir);
  writeln(SYSTEM.cwd);
  // SYSTEM.cwd is refreshed even on a comment line
  writeln(SYSTEM.cwd);
end.
