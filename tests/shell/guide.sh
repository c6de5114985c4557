#!/usr/bin/env bash
# Keeps the documents honest: guide.sh SOURCE-DIR DOCUMENT...
#
# In a document, a line "<!-- example: NAME -->" says that the fenced blocks after it
# show examples/NAME.pas and then examples/NAME.out, byte for byte; the form
# "<!-- example: NAME pas in out -->" names the files, in the order of the blocks.
# Every ```pascal block must stand under such a line, so that no script in the
# documents escapes the test suite, and every example shown must have the expected
# output beside it, which makes it a golden test.
set -u
src=$1
shift
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0

for doc in "$@"; do
  awk -v tmp="$tmp" -v doc="${doc##*/}" '
    function bad(msg) { printf "%s:%d: %s\n", doc, NR, msg; failed = 1 }
    /^<!-- example: .* -->$/ {
      if (n > 0) bad("example " name " shows " (k - 1) " of its blocks")
      line = $0; sub(/^<!-- example: /, "", line); sub(/ -->$/, "", line)
      n = split(line, parts, " "); name = parts[1]
      if (n == 1) { parts[2] = "pas"; parts[3] = "out"; n = 3 }
      k = 2
      print name >> (tmp "/names")
      next
    }
    /^```/ {
      if (!inside) {
        inside = 1
        if (n > 0) {
          key = name; gsub(/\//, "%", key); file = tmp "/" key "." parts[k]
          printf "" > file
          capturing = 1
        } else if ($0 == "```pascal") {
          bad("a pascal block with no example line above it")
        }
      } else {
        inside = 0
        if (capturing) {
          capturing = 0; close(file)
          if (++k > n) n = 0
        }
      }
      next
    }
    capturing { print > file }
    END {
      if (n > 0) bad("example " name " ends before all its blocks")
      exit failed
    }
  ' "$doc" || fail=1
done

shown=0
if [ -f "$tmp/names" ]; then
  while IFS= read -r name; do
    key=${name//\//%}
    # A script shown must be run and checked, so its expected output must exist.
    if [ -f "$tmp/$key.pas" ] && [ ! -f "$src/examples/$name.out" ]; then
      echo "examples/$name.out is missing"
      fail=1
    fi
    for block in "$tmp/$key".*; do
      [ -e "$block" ] || continue
      ext=${block#"$tmp/$key."}
      if ! cmp -s "$block" "$src/examples/$name.$ext"; then
        echo "the document's copy of examples/$name.$ext differs (file, document):"
        diff -a "$src/examples/$name.$ext" "$block" | head -n 20
        fail=1
      fi
      shown=$((shown + 1))
    done
  done < <(sort -u "$tmp/names")
fi
[ "$shown" -gt 0 ] || { echo "no example found in $*"; fail=1; }
exit $fail
