#!/usr/bin/env bash
# Writes that fail end the run with status 1 and say so, and the rest of the run
# still happens: write_failures.sh VP WORK
#   standard output on a full disk (/dev/full) and on a pipe whose reader has gone;
#   the output text file on a full disk, failing at once or only at its close.
set -u
vp=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$2
rm -rf "$work" && mkdir -p "$work" || exit 2
cd "$work" || exit 2
fail=0

expect() {  # expect WHAT ACTUAL EXPECTED
  if [ "$2" != "$3" ]; then
    printf '%s: got\n%s\nexpected\n%s\n' "$1" "$2" "$3"
    fail=1
  fi
}

# A long standard output, then the output text file, written after the failure.
long=$(head -c 200 /dev/zero | tr '\0' x)
cat >late_file.pas <<EOF2
program late;
var f : text;
begin
  while count 900 do
    writeln('$long');
  end;
  rewrite(f,'kept.txt');
  writeln(f, 'written after standard output failed');
  closefile(f);
end.
EOF2

"$vp" late_file.pas >/dev/full 2>full.err
expect "full disk: status" "$?" 1
expect "full disk: standard error" "$(cat full.err)" "vp: cannot write standard output: No space left on device"
expect "full disk: file" "$(cat kept.txt)" "written after standard output failed"

# The reader takes a few bytes and goes: no SIGPIPE may end the run early.
rm -f kept.txt
"$vp" late_file.pas 2>pipe.err | head -c 10 >/dev/null
expect "closed pipe: status" "${PIPESTATUS[0]}" 1
expect "closed pipe: standard error" "$(cat pipe.err)" "vp: cannot write standard output: Broken pipe"
expect "closed pipe: file" "$(cat kept.txt)" "written after standard output failed"

# The output text file on a full disk: failing at its close, and failing at once
# when more is written than its buffer holds; told once either way, and halt(0)
# does not turn the run into a success.
cat >full_file.pas <<'EOF2'
program fullfile;
var f : text;
begin
  rewrite(f,'/dev/full');
  writeln(f, 'lost');
  closefile(f);
  writeln('goes on');
  rewrite(f,'/dev/full');
  while count 100 do
    writeln(f, 'lost lost lost lost lost lost lost lost lost lost lost lost lost lost lost');
  end;
  writeln('to the lost file too');
  halt(0);
end.
EOF2
out=$("$vp" full_file.pas 2>file.err)
expect "full file: status" "$?" 1
expect "full file: standard error" "$(cat file.err)" ""
expect "full file: output" "$(printf '%s' "$out" | tr -s '\n')" "
Pascal Error: cannot write file '/dev/full'
goes on
Pascal Error: cannot write file '/dev/full'"
exit $fail
