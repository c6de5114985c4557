program search;
label done, later;
begin
  writeln('start');
  goto done;
  writeln('skipped 1');
done2:
  writeln('skipped 2');
don:
  writeln('skipped 3');
  done:
  writeln('skipped 4');
done: writeln('the label line itself does not run');
  writeln('after done');
  goto Later;
later:
  writeln('skipped 5');
Later
  writeln('after Later, no colon, never declared');
  goto  done;
  writeln('skipped 6');
done:
  writeln('skipped 7');
end.
