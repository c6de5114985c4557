#!/usr/bin/env bash
# Installs the build under a scratch prefix and checks what install time makes there:
#   install_prefix.sh BUILD_DIR WORK_DIR
# the manual page names the program and the guide under that prefix, vpdebug(1) is
# a link to it, and the changelog is compressed beside the copyright file.
set -u
build=$1 work=$2
rm -rf "$work" && mkdir -p "$work" || exit 1
prefix=$work/opt/vp
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { echo "cmake --install failed:"; cat "$work/install.log"; exit 1; }
man1=$prefix/share/man/man1
fail=0
page=$(gzip -dc "$man1/vp.1.gz" 2>/dev/null) || { echo "no sound $man1/vp.1.gz"; exit 1; }
for path in "$prefix/share/doc/vp/docs/language.md" "$prefix/share/doc/vp/editors/" \
  "\"$prefix/bin/vp\"" "$prefix/bin/vpdebug"; do
  grep -qF -- "$path" <<<"$page" || { echo "the manual page does not name $path"; fail=1; }
done
if grep -q '/usr/share/doc/vp\|/usr/bin/vp' <<<"$page"; then
  echo "the manual page still names /usr paths:"
  grep -n '/usr/share/doc/vp\|/usr/bin/vp' <<<"$page"
  fail=1
fi
[ "$(readlink "$man1/vpdebug.1.gz")" = vp.1.gz ] || { echo "vpdebug.1.gz is not a link to vp.1.gz"; fail=1; }
gzip -t "$prefix/share/doc/vp/changelog.gz" 2>/dev/null || { echo "no sound changelog.gz"; fail=1; }
[ -f "$prefix/share/doc/vp/copyright" ] || { echo "no copyright file"; fail=1; }
[ $fail = 0 ] && echo "install under $prefix checked"
exit $fail
