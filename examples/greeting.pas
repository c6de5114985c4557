#!/usr/bin/env vp
program greeting;
const name = World;
begin
  writeln('Hello, ', name, '!');
end.
