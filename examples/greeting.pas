#!/usr/bin/env vp
program greeting;
var name : string;
var line : string;
begin
  writeln('What is your name?');
  read(name);
  line := 'Hello, ' + name + '!';
  writeln(line);
end.
