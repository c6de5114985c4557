#!/usr/bin/env bash
# Rebuilds the golden part of the kept seed corpus: make_corpus.sh [SCRIPTS] [CORPUS]
#
# Every golden script becomes one seed in the fuzzer's input layout: a control byte
# ('1' for trace mode when the test runs with -d or as vpdebug, else '0'), the script,
# then its standard input and CGI variables after the separator. Scripts over 4 KB
# are left out, so the corpus stays small.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=${1:-$here/../tests/scripts}
corpus=${2:-$here/corpus}
sep=$'\n\x01\n'
mkdir -p "$corpus"
for pas in "$scripts"/*.pas; do
  name=$(basename "$pas" .pas)
  [ "$(stat -c %s "$pas")" -le 4096 ] || continue
  control=0
  if grep -qx -- '-d' "$scripts/$name.args" 2>/dev/null ||
    grep -q 'vpdebug' "$scripts/$name.prog" 2>/dev/null; then
    control=1
  fi
  env_value() {
    sed -n "s/^$1=//p" "$scripts/$name.env" 2>/dev/null | head -n 1
  }
  {
    printf '%s' "$control"
    cat "$pas"
    printf '%s' "$sep"
    [ -f "$scripts/$name.in" ] && head -c 4096 "$scripts/$name.in"
    for v in QUERY_STRING HTTP_USER_AGENT REMOTE_ADDR CONTENT_LENGTH REQUEST_METHOD CONTENT_TYPE \
      HTTP_COOKIE; do
      printf '%s%s' "$sep" "$(env_value "$v")"
    done
  } >"$corpus/golden_$name"
done
