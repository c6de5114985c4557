program tu;
var i : integer;
var top : integer;
begin
  i := 0;
  repeat
    i := i + 1;
  until i = 2;
  top := 2;
  repeat
    i := i + 1;
  until i > top;
end.
