#!/usr/bin/env bash
# Under a web server a visitor must not choose the script: cgi_gate.sh VP WORK
#
# Runs vp with the variables and words that servers give it, in the setups people
# use, with vp itself copied into a cgi-bin folder (where a query without '=' arrives
# as command-line words) among them, and checks which script runs or that the
# request is refused. Also checks that a program started by exec inherits neither
# the script nor the output text file.
set -u
vp=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$2
rm -rf "$work" && mkdir -p "$work/cgi-bin" "$work/docroot" || exit 2
cd "$work" || exit 2
fail=0

cp "$vp" cgi-bin/vp
printf 'program page;\nbegin\n  writeln('"'"'page ran'"'"');\nend.\n' >docroot/page.pas
printf '#!%s\nprogram shebang;\nbegin\n  writeln('"'"'shebang ran'"'"');\nend.\n' "$vp" \
  >cgi-bin/shebang.pas
chmod +x cgi-bin/shebang.pas
printf "program log;\nbegin\n  writeln('log ran');\n  exec('/bin/echo', 'pwned');\nend.\n" >secret.log
body="program body; begin writeln('body ran'); end."

# check WHAT WANT-STATUS WANT-FIRST-LINE ENV... -- COMMAND...: the first line of the
# answer and the exit status; the body comes on standard input.
check() {
  local what=$1 want_status=$2 want=$3
  shift 3
  local envs=()
  while [ "$1" != -- ]; do envs+=("$1"); shift; done
  shift
  local got status
  printf '%s' "$body" | env -i PATH=/usr/bin:/bin GATEWAY_INTERFACE=CGI/1.1 \
    REQUEST_METHOD=POST "${envs[@]}" "$@" >"$work/stdout" 2>"$work/stderr"
  status=$?
  got=$(head -n 1 "$work/stdout")
  if [ "$got" != "$want" ] || [ "$status" != "$want_status" ]; then
    echo "$what: status $status, first line '$got'; expected $want_status, '$want'"
    cat "$work/stderr"
    fail=1
  fi
}
forbidden="Status: 403 Forbidden"
missing="Status: 404 Not Found"
server=SCRIPT_FILENAME=$work/cgi-bin/vp

# vp copied into cgi-bin: /cgi-bin/vp?/dev/stdin and /cgi-bin/vp?/path/to/a/log.
check "body as script" 1 "$forbidden" "$server" -- cgi-bin/vp /dev/stdin
check "any readable file" 1 "$forbidden" "$server" -- cgi-bin/vp "$work/secret.log"
check "version word" 1 "$forbidden" "$server" -- cgi-bin/vp --version
check "no word" 1 "$forbidden" "$server" -- cgi-bin/vp
# The same with a path after vp (/cgi-bin/vp/page.pas?/dev/stdin): the server's
# PATH_TRANSLATED runs, whatever the words.
check "path translated" 0 "page ran" "$server" PATH_TRANSLATED="$work/docroot/page.pas" -- \
  cgi-bin/vp /dev/stdin
check "path translated gone" 1 "$missing" "$server" PATH_TRANSLATED="$work/docroot/gone.pas" -- \
  cgi-bin/vp
# A path too long to keep whole is refused, not cut into another file's name.
long_path=$work/docroot/$(head -c 300 /dev/zero | tr '\0' x)/../page.pas
check "path translated too long" 1 "$forbidden" "$server" PATH_TRANSLATED="$long_path" -- cgi-bin/vp
# A handler setup that passes the script as the word, spelt another way.
check "handler" 0 "page ran" PATH_TRANSLATED="$work/docroot/page.pas" -- \
  "$vp" "$work/docroot/../docroot/page.pas"
# A script in cgi-bin started through its first line, with a query word after it.
check "shebang" 0 "shebang ran" SCRIPT_FILENAME="$work/cgi-bin/shebang.pas" -- \
  cgi-bin/shebang.pas -d
# lighttpd's setup: the script's path as the word, from the script's folder.
check "assigned" 0 "page ran" SCRIPT_FILENAME="$work/docroot/page.pas" -- \
  sh -c 'cd docroot && exec "$0" page.pas' "$vp"
check "assigned, gone" 1 "$missing" SCRIPT_FILENAME="$work/docroot/gone.pas" -- \
  "$vp" "$work/docroot/gone.pas"
# Run by hand with request variables only: the word stands, but only a plain file runs,
# and no word asks for the version or the usage.
check "by hand" 0 "page ran" -- "$vp" docroot/page.pas
check "by hand, not a file" 1 "$forbidden" -- "$vp" /dev/stdin
check "by hand, folder" 1 "$forbidden" -- "$vp" docroot
for word in --help --version -v -m; do
  check "by hand, $word" 1 "$missing" -- "$vp" "$word"
done
# The refusal is a whole response; the reason and the path go to the error log.
answer=$(env -i GATEWAY_INTERFACE=CGI/1.1 "$server" cgi-bin/vp /dev/stdin 2>"$work/log" </dev/null)
if [ "$answer" != "$(printf '%s\nContent-Type: text/plain\n\nThis script may not be run.' "$forbidden")" ]; then
  printf 'refusal response:\n%s\n' "$answer"
  fail=1
fi
if [ "$(cat "$work/log")" != "vp: not run: '/dev/stdin': not the script the server asked for" ]; then
  printf 'refusal log line:\n%s\n' "$(cat "$work/log")"
  fail=1
fi

# exec hands on neither the script nor the output text file.
printf '#!/bin/sh\nls -l /proc/$$/fd | grep -c -e fds.pas -e out.txt\n' >fds.sh
chmod +x fds.sh
printf "program fds;\nvar f : text;\nbegin\n  rewrite(f,'out.txt');\n  exec('./fds.sh', 'x');\nend.\n" >fds.pas
if [ "$("$vp" fds.pas)" != "0" ]; then
  echo "a program started by exec inherited the script or the output file"
  fail=1
fi
exit $fail
