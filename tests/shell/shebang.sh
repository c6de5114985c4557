#!/usr/bin/env bash
# Scripts run as programs: shebang.sh VP WORK
#
# A script whose first line names the interpreter, marked executable, is started
# directly, both through env and PATH and through the interpreter's full path.
set -u
vp=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$2
rm -rf "$work" && mkdir -p "$work/bin" || exit 2
# Only the interpreter's folder and the system's: the test must not find another vp.
ln -s "$vp" "$work/bin/vp"
cd "$work" || exit 2

body='program greet;
const who = world;
begin
  writeln('"'"'Hello, '"'"', who);
end.'
fail=0

check() {  # check WHAT EXPECTED-STATUS EXPECTED-OUTPUT COMMAND...
  local what=$1 want_status=$2 want=$3
  shift 3
  local got status
  got=$(env -i PATH="$work/bin:/usr/bin:/bin" "$@" 2>&1)
  status=$?
  if [ "$got" != "$want" ] || [ "$status" != "$want_status" ]; then
    echo "$what: status $status, output:"
    printf '%s\n' "$got"
    echo "expected status $want_status, output:"
    printf '%s\n' "$want"
    fail=1
  fi
}

printf '#!/usr/bin/env vp\n%s\n' "$body" >env.pas
printf '#!%s\n%s\n' "$vp" "$body" >full.pas
printf '%s\n' "$body" >plain.pas
chmod +x env.pas full.pas

check "through env" 0 "Hello, world" ./env.pas
check "through the full path" 0 "Hello, world" ./full.pas
# Found on PATH, the script reaches the interpreter by its full path, which only asks
# for the version when it begins with '-'.
cp env.pas bin/greet
check "found on PATH" 0 "Hello, world" greet
# The flag word still follows the script when the system starts it.
trace=$(env -i PATH="$work/bin:/usr/bin:/bin" ./env.pas -d)
case "$trace" in
  *"**[MAIN] Pascal script Terminated"*) ;;
  *) echo "-d after a directly started script gave no trace:"; printf '%s\n' "$trace"; fail=1 ;;
esac
# The same lines without the first one print the same.
check "the same script run by vp" 0 "Hello, world" vp plain.pas
exit $fail
