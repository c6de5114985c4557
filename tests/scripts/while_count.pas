program counting;
begin
  writeln('three:');
  while count 3 do
    write('*');
  end;
  writeln('');
  writeln('three again:');
  while count 3 do
    write('+');
  end;
  writeln('');
  writeln('twelve:');
  while count 12 do
    write('-');
  end;
  writeln('');
  writeln('no usable count runs once:');
  while count 0 do
    write('0');
  end;
  while count n do
    write('n');
  end;
  writeln('');
  writeln('an end at the line start closes nothing:');
  while count 2 do
    write('a');
end;
  write('b');
  end;
  writeln('');
end.
