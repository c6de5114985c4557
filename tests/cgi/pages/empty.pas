program empty;
begin
end.
