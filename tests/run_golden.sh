#!/usr/bin/env bash
# Runs one golden script test: run_golden.sh VP DIR NAME WORKROOT
#
# DIR/NAME.pas is copied into a fresh work folder and run there as `vp NAME.pas`
# with an empty environment. Optional files beside it:
#   NAME.out      expected standard output, byte for byte (@CWD@ stands for the
#                 work folder)
#   NAME.match    instead of NAME.out, for output that changes from run to run:
#                 one extended regular expression per line, which the output line
#                 at the same place must match whole
#   NAME.in       standard input (default: empty)
#   NAME.env      KEY=VALUE lines added to the environment
#   NAME.args     the arguments, one per line (@SCRIPT@ is the script's name);
#                 an empty file means no arguments at all
#   NAME.prog     the program name the interpreter is started under (argv[0])
#   NAME.err      expected standard error, byte for byte (default: empty)
#   NAME.status   expected exit status (default 0)
#   NAME.pre.F    copied into the work folder as F before the run
#   NAME.file.F   expected content of the file F in the work folder after the run
set -u
vp=$1 dir=$2 name=$3 root=$4
work="$root/$name"
rm -rf "$work" && mkdir -p "$work" || exit 2
cp "$dir/$name.pas" "$work/"
for pre in "$dir/$name".pre.*; do
  [ -e "$pre" ] && cp "$pre" "$work/${pre##*/$name.pre.}"
done

args=("$name.pas")
if [ -f "$dir/$name.args" ]; then
  args=()
  while IFS= read -r a || [ -n "$a" ]; do args+=("${a//@SCRIPT@/$name.pas}"); done <"$dir/$name.args"
fi
envs=(PATH=/usr/bin:/bin LANG=C TZ=UTC)
# A sanitizer build reads its settings from the environment.
for v in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -n "${!v:-}" ] && envs+=("$v=${!v}")
done
if [ -f "$dir/$name.env" ]; then
  while IFS= read -r e || [ -n "$e" ]; do
    case "$e" in '#'* | '') ;; *) envs+=("$e") ;; esac
  done <"$dir/$name.env"
fi
prog=vp
[ -f "$dir/$name.prog" ] && prog=$(<"$dir/$name.prog")
input=/dev/null
[ -f "$dir/$name.in" ] && input="$dir/$name.in"
want_status=0
[ -f "$dir/$name.status" ] && want_status=$(<"$dir/$name.status")

# The program name is given by starting vp through a link of that name: by its path
# when the name holds a '/', else through PATH.
cmd=$vp
if [ "$prog" != vp ]; then
  if [[ "$prog" == */* ]]; then
    mkdir -p "$work/$(dirname "$prog")" && ln -sf "$vp" "$work/$prog"
  else
    mkdir -p "$work/.bin" && ln -sf "$vp" "$work/.bin/$prog"
    envs[0]="PATH=$work/.bin:/usr/bin:/bin"
  fi
  cmd=$prog
fi
(cd "$work" && env -i "${envs[@]}" timeout 60 "$cmd" ${args[@]+"${args[@]}"} \
  <"$input" >"$work/.stdout" 2>"$work/.stderr")
status=$?

fail=0
if [ -f "$dir/$name.match" ]; then
  mapfile -t patterns <"$dir/$name.match"
  mapfile -t lines <"$work/.stdout"
  if [ ${#patterns[@]} -ne ${#lines[@]} ]; then
    echo "standard output has ${#lines[@]} lines, expected ${#patterns[@]}"
    fail=1
  fi
  for i in "${!patterns[@]}"; do
    if ! [[ "${lines[i]-}" =~ ^(${patterns[i]})$ ]]; then
      echo "line $((i + 1)) '${lines[i]-}' does not match '${patterns[i]}'"
      fail=1
    fi
  done
else
  expected="$work/.expected"
  if grep -q '@CWD@' "$dir/$name.out"; then
    sed "s|@CWD@|$work|g" "$dir/$name.out" >"$expected"
  else
    cp "$dir/$name.out" "$expected"
  fi
  if ! cmp -s "$expected" "$work/.stdout"; then
    echo "standard output differs (expected, actual):"
    diff -a "$expected" "$work/.stdout" | head -n 60
    fail=1
  fi
fi
want_err=/dev/null
[ -f "$dir/$name.err" ] && want_err="$dir/$name.err"
if ! cmp -s "$want_err" "$work/.stderr"; then
  echo "standard error differs (expected, actual):"
  diff -a "$want_err" "$work/.stderr" | head -n 40
  fail=1
fi
if [ "$status" != "$want_status" ]; then
  echo "exit status $status, expected $want_status"
  fail=1
fi
for f in "$dir/$name".file.*; do
  [ -e "$f" ] || continue
  target="$work/${f##*/$name.file.}"
  if ! cmp -s "$f" "$target"; then
    echo "file ${target##*/} differs (expected, actual):"
    diff -a "$f" "$target" | head -n 40
    fail=1
  fi
done
exit $fail
