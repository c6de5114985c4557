#!/usr/bin/env bash
# Runs one checker test: run_check.sh VP DIR NAME
#
# `vp --check NAME.pas`, run in DIR, must print DIR/NAME.expected byte for byte, and
# exit with status 1 when that holds an error, else 0.
set -u
vp=$1 dir=$2 name=$3
cd "$dir" || exit 2
actual=$("$vp" --check "$name.pas")
status=$?
want=0
grep -q ': error: ' "$name.expected" && want=1
fail=0
if [ "$actual" != "$(cat "$name.expected")" ]; then
  echo "findings differ (expected, actual):"
  diff <(cat "$name.expected") <(printf '%s\n' "$actual") | head -n 60
  fail=1
fi
if [ "$status" != "$want" ]; then
  echo "exit status $status, expected $want"
  fail=1
fi
exit $fail
