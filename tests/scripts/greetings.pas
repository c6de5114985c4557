program greetings;
var first : string;
var last : string;
var greeting : string;
var full : string;
begin
  first := 'Ada';
  last := 'Lovelace';
  full := concat(first,last);
  writeln(full);
  full := concat(first,' ');
  full := full + last;
  writeln(full);
  greeting := 'Hello, ' + full + '!';
  writeln(greeting);
  greeting := 'Dear ' + first + ' ' + last + ',';
  writeln(greeting);
  greeting := concat('Good ','morning');
  writeln(greeting);
end.
