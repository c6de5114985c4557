#!/usr/bin/env bash
# vp --check as a command: options, exit statuses, the JSON form, the directive, the
# limits of a script, the shipped scripts, and its speed on a script of 9,999 lines.
# command_line.sh VP SOURCE_DIR WORK_DIR
set -u
vp=$1 src=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 2
fail=0
expect() { # expect WHAT WANTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf '%s: expected\n%s\ngot\n%s\n' "$1" "$2" "$3"
    fail=1
  fi
}

"$vp" --check >/dev/null 2>err.txt
expect "no script: status" 2 $?
expect "no script: usage" 1 "$(grep -c '^Usage: vp --check' err.txt)"
"$vp" --check --colour x.pas >/dev/null 2>err.txt
expect "unknown option: status" 2 $?
"$vp" --check missing.pas "$work" >out.txt 2>err.txt
expect "unreadable: status" 2 $?
expect "unreadable: messages" "vp: cannot read 'missing.pas': No such file or directory
vp: cannot read '$work': Is a directory" "$(cat err.txt)"

# One JSON array; texts escaped as JSON wants them.
cp "$src/tests/check/missing.pas" m.pas
"$vp" --check --format=json m.pas >out.txt
expect "json: status" 1 $?
q="'"
expect "json" "[
{\"file\":\"m.pas\",\"line\":1,\"column\":1,\"severity\":\"error\",\"check\":\"missing-frame\",\"message\":\"no line holds ${q}program${q} and ${q};${q}: after the run \\\"Pascal Error - ${q}program${q} not found\\\" is printed; begin the script with ${q}program name;${q}\"},
{\"file\":\"m.pas\",\"line\":1,\"column\":1,\"severity\":\"error\",\"check\":\"missing-frame\",\"message\":\"no line holds ${q}begin${q}: no assignment runs, and after the run \\\"Pascal Error - ${q}begin${q} not found\\\" is printed\"},
{\"file\":\"m.pas\",\"line\":1,\"column\":1,\"severity\":\"error\",\"check\":\"missing-frame\",\"message\":\"no line holds ${q}end.${q}: the run goes on to the end of the file and then prints \\\"Pascal Error - ${q}end.${q} not found\\\"\"}
]" "$(cat out.txt)"
printf 'program ok;\nbegin\nend.\n' >ok.pas
expect "json, nothing found" "[]" "$("$vp" --check --format=json ok.pas)"

# The level filters what is printed; an error still sets the status.
cp "$src/tests/check/assignments.pas" a.pas
"$vp" --check --severity=warning a.pas >out.txt
expect "severity: status" 1 $?
expect "severity=warning drops notes" 0 "$(grep -c ': note: ' out.txt)"
expect "severity=error drops warnings" 0 "$("$vp" --check --severity=error a.pas | grep -c ': warning: ')"
printf 'program w;\nvar x : integer;\nvar y : integer;\nbegin\n  x := y;\nend.\n' >w.pas
"$vp" --check w.pas >/dev/null
expect "warnings alone: status" 0 $?

# A directive silences the check it names on the next line, and no other.
printf 'program d;\nbegin\n  // check: ignore line-does-nothing\n  wirteln(%s);\n  // check: ignore if-with-and\n  wirteln(%s);\nend.\n' "'a'" "'b'" >d.pas
expect "directive" "d.pas:6:3: error: this line does nothing: 'wirteln' is no statement; did you mean 'writeln'? [line-does-nothing]" "$("$vp" --check d.pas)"

# The limits of a script: 249 declarations and 9,999 handled lines.
{
  echo "program limits;"
  for i in $(seq 1 250); do echo "var v$i : integer;"; done
  echo "begin"
  for i in $(seq 1 9748); do echo "  v1 := $i;"; done
  echo "end."
} >limits.pas
expect "limits" "limits.pas:251:1: error: a script holds at most 249 declarations: this one and those after it are refused with \"Pascal Error - Variable table full\" [too-many-declarations]
limits.pas:10000:1: error: the run stops after 9,999 lines: this line and those after it never run [line-cap]" "$("$vp" --check limits.pas)"

# The examples and workloads that ship check clean.
(cd "$src" && "$vp" --check examples/*.pas examples/cgi/*.pas bench/*.pas) >out.txt
expect "shipped scripts: status" 0 $?
expect "shipped scripts: findings" "" "$(cat out.txt)"

# Speed: a script of 9,999 lines of assignments, arithmetic, ifs and loops.
{
  echo "program big;"
  echo "var i : integer;"
  echo "var total : integer;"
  echo "var s : string;"
  echo "begin"
  for i in $(seq 1 1249); do
    printf '  total := total + %d;\n  s := %s + s;\n  if total > 5 then\n    writeln(total);\n' "$i" "'x'"
    printf '  while i < 10 do\n  begin\n    i := i + 1;\n  end;\n'
  done
  echo "  writeln('done');"
  echo "end."
} >big.pas
start=$(date +%s%N)
"$vp" --check big.pas >out.txt
expect "big script: status" 0 $?
elapsed=$((($(date +%s%N) - start) / 1000000))
echo "checked $(wc -l <big.pas) lines in $elapsed ms"
# A generous bound: the work is linear, and a shared machine is slow at times.
[ "$elapsed" -lt 500 ] || {
  echo "too slow: $elapsed ms"
  fail=1
}

# Behind a web server the checker is not there: a visitor must not read files back.
GATEWAY_INTERFACE=CGI/1.1 "$vp" --check "$src/tests/check/missing.pas" >out.txt 2>&1
[ $? -ne 0 ] || {
  echo "--check answered under a web server"
  fail=1
}
expect "no findings under a web server" 0 "$(grep -c 'missing-frame' out.txt)"
exit $fail
