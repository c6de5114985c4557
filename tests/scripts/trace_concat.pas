program traceconcat;
var name : string;
var s : string;
begin
  name := 'World';
  s := 'Hi ' + name + '!';
  s := concat(name,'x');
end.
