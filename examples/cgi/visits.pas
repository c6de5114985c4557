program visits;
var seen : string;
begin
  read_cookie(seen,'visits');
  seen := seen + '*';
  delete(seen,21,99);
  writeln('Set-Cookie: visits=', seen, '; Path=/; SameSite=Strict');
  writewh();
  writeln('<html><head><meta charset="utf-8"><title>Visits</title></head><body>');
  write('<p>Your visits, a star each: <span id="stars">');
  writewc(seen);
  writeln('</span></p>');
  writeln('</body></html>');
end.
