program shopping;
var item : string;
var price : real;
var count : integer;
var total : real;
var sum : integer;
begin
  write('Item? ');
  readln(item);
  write('Price? ');
  readln(price);
  write('How many? ');
  readln(count);
  total := price * count;
  sum := count + 10;
  writeln('');
  insert(' x ',item,99);
  writeln(item, count, ' = ', total);
  writeln('with ten more: ', sum);
  findrp(item,'apples x','Apples *');
  delete(item,7,3);
  writeln(item);
  sum := 0;
  read(sum);
  writeln('after the end of input: [', sum, ']');
end.
