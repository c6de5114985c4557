program stop;
begin
  writewh();
  writeln('before halt');
  halt(1);
  writeln('after halt');
end.
