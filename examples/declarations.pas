program declarations;
var count : integer;
   total : real;
   name : string;
const greeting = Hello;
   limit = 10;
begin
  name := 'Ada';
  writeln(greeting, ', ', name, '. The limit is ', limit, '.');
end.
