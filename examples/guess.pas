program guess;
var guess : integer;
var tries : integer;
begin
  tries := 0;
  writeln('I am thinking of a number from 1 to 100.');
  repeat
    writeln('Your guess?');
    read(guess);
    if guess = 0 then
      goto quit;
    tries := tries + 1;
    if guess < 42 then
      writeln(guess, ' is too low.');
    if guess > 42 then
      writeln(guess, ' is too high.');
  until guess = 42;
  writeln('Right! You needed ', tries, ' tries.');
quit:
  writeln('Bye.');
end.
