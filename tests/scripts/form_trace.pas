program formtrace;
var v : string;
begin
  read_form(v,'name');
  read_form(v,'age');
  read_cookie(v,'id');
  read_cookie(v,'session');
end.
