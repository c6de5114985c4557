#!/usr/bin/env bash
# Each page of docs/checks/ shows its trap as a script that the check finds, and the
# fix as a script that checks clean: pages.sh VP DOCS_CHECKS_DIR WORK_DIR
set -u
vp=$1 pages=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 2
fail=0
count=0
for page in "$pages"/*.md; do
  name=$(basename "$page" .md)
  # The first pascal block after "## Before", and the first after "## After".
  for part in Before After; do
    awk -v part="## $part" '
      $0 == part { inside = 1; next }
      inside && /^```pascal$/ { copying = 1; next }
      copying && /^```$/ { exit }
      copying { print }
    ' "$page" >"$work/$name.$part.pas"
  done
  [ -s "$work/$name.Before.pas" ] || continue  # a limit, told in words
  count=$((count + 1))
  if ! (cd "$work" && "$vp" --check "$name.Before.pas") | grep -q "\[$name\]$"; then
    echo "$name: the script under Before does not trigger the check"
    fail=1
  fi
  after=$(cd "$work" && "$vp" --check "$name.After.pas")
  if [ -n "$after" ]; then
    printf '%s: the script under After does not check clean:\n%s\n' "$name" "$after"
    fail=1
  fi
done
echo "$count pages with scripts"
[ "$count" -gt 0 ] || fail=1
exit $fail
