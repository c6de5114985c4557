program shopping;
var items : integer;
var total : integer;
var price : integer;
var average : real;
var vat : real;
begin
  items := 0;
  total := 0;
  price := 120;
  total := total + price;
  items := items + 1;
  price := 75;
  total := total + price;
  items := items + 1;
  price := 310;
  total := total + price;
  items := items + 1;
  writeln('items: ', items);
  writeln('total: ', total);
  average := total / items;
  writeln('average: ', average);
  vat := total * 0.2;
  writeln('vat: ', vat);
  average := average - 0.5 * 2;
  writeln('left to right: ', average);
end.
