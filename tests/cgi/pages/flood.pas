program flood;
var k : integer;
begin
  writewh();
  k := 0;
  while count 3000 do
    k := k + 1;
    writeln('<p>A long line of text that fills the page, row ', k, ', so that the answer is far larger than any buffer between the worker and the client.</p>');
  end;
end.
