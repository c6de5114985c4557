program decls;
var count : integer;
var name : string;
const max = 100;
label done
    done
begin
  writeln(count);
end.
