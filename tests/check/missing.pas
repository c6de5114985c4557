  writeln('x');
