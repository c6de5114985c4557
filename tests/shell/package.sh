#!/usr/bin/env bash
# Checks a built Debian package: package.sh VP.deb
#
# Unpacks it into a scratch folder, checks that it holds the interpreter, the vpdebug
# link, the manual page, the guide and the examples, and runs the unpacked
# interpreter on examples, comparing with their expected output.
set -euo pipefail
deb=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
cd "$(dirname "$0")/../.."
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
fail=0

for f in usr/bin/vp usr/share/man/man1/vp.1.gz usr/share/doc/vp/README.md \
  usr/share/doc/vp/docs/language.md; do
  [ -f "$root/$f" ] || { echo "package lacks /$f"; fail=1; }
done
[ -x "$root/usr/bin/vp" ] || { echo "/usr/bin/vp is not executable"; fail=1; }
[ "$(readlink "$root/usr/bin/vpdebug")" = vp ] || { echo "/usr/bin/vpdebug is not a link to vp"; fail=1; }
gzip -t "$root/usr/share/man/man1/vp.1.gz" || { echo "the manual page is not a sound gzip file"; fail=1; }
examples=$(cd examples && ls ./*.pas | wc -l)
packed=$(cd "$root/usr/share/doc/vp/examples" && ls ./*.pas | wc -l)
[ "$examples" = "$packed" ] || { echo "package holds $packed examples of $examples"; fail=1; }

# The unpacked interpreter runs examples exactly as the built one does.
ran=0
for out in examples/*.out examples/cgi/*.out; do
  [ -e "$out" ] || continue
  dir=$PWD/$(dirname "$out")
  name=$(basename "$out" .out)
  if ! bash tests/run_golden.sh "$root/usr/bin/vp" "$dir" "$name" "$root/work"; then
    echo "the packaged vp fails the example $out"
    fail=1
  fi
  ran=$((ran + 1))
done
[ "$ran" -gt 0 ] || { echo "no example with expected output to run"; fail=1; }

# Started as vpdebug through PATH, it traces.
"$root/usr/bin/vp" --help | grep -q '^Usage: vp SCRIPT' || { echo "vp --help gives no usage"; fail=1; }
printf 'program t;\nbegin\nend.\n' >"$root/t.pas"
trace=$(cd "$root" && env -i PATH="$root/usr/bin:/usr/bin:/bin" vpdebug t.pas)
case "$trace" in
  *"**[MAIN] Pascal script Terminated"*) ;;
  *) echo "vpdebug from the package does not trace:"; printf '%s\n' "$trace"; fail=1 ;;
esac
[ "$fail" = 0 ] && echo "package $(basename "$deb") checked"
exit $fail
