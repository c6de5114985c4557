#!/usr/bin/env bash
# Serves the same pages through lighttpd twice, with mod_cgi and with mod_fastcgi
# starting vp workers, and checks the FastCGI answers against the CGI ones:
#   run_fastcgi_test.sh VP EXAMPLES_DIR PAGES_DIR WORK_DIR
# - every page of EXAMPLES_DIR and PAGES_DIR (halt, fatal errors, the line cap, exec)
#   answers byte for byte as under CGI, with the request of its NAME.env and NAME.in;
# - a page that writes nothing is an empty page (CGI makes that a server error);
# - nothing of one request reaches the next (variables, output file, routing);
# - a missing script is answered with 404, a client that goes away mid-page does not
#   end the worker, an output file is complete when its request has been answered;
# - the worker's memory stays flat over a few thousand requests (FASTCGI_TEST_REQUESTS,
#   default 3000; 0 skips the measurement).
# Both servers are stopped however the test ends.
set -u
vp=$1 examples=$2 pages=$3 work=$4
requests=${FASTCGI_TEST_REQUESTS:-3000}

. "$(dirname "$0")/lighttpd.sh"
need_lighttpd

rm -rf "$work" && mkdir -p "$work/docroot" || exit 1
work=$(cd "$work" && pwd)
cp "$examples"/*.pas "$pages"/*.pas "$work/docroot/" || exit 1
cp "$examples"/*.env "$examples"/*.in "$pages"/*.env "$pages"/*.in "$work/" 2>/dev/null
start_server cgi 'server.modules = ( "mod_cgi" )
cgi.assign = ( ".pas" => "'"$vp"'" )' || exit 1
# One worker, so that every request below meets the one before it; the server does
# not look for the file itself, so a missing script reaches the worker.
start_server fcgi 'server.modules = ( "mod_fastcgi" )
fastcgi.server = ( ".pas" => (( "bin-path" => "'"$vp"'",
                                "socket" => "'"$work"'/vp.socket",
                                "max-procs" => 1,
                                "check-local" => "disable" )) )' || exit 1

fail=0
# The request of a page: its query, user agent, cookie and body, from NAME.env and
# NAME.in.
request_options() {
  local name=$1 line key value query=""
  options=()
  if [ -f "$work/$name.env" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      key=${line%%=*} value=${line#*=}
      case $key in
        QUERY_STRING)
          query=$(printf '%s' "$value" | sed 's/%/%25/g; s/ /%20/g; s/"/%22/g; s/</%3C/g; s/>/%3E/g; s/#/%23/g')
          ;;
        HTTP_USER_AGENT) options+=(-A "$value") ;;
        HTTP_COOKIE) options+=(-H "Cookie: $value") ;;
        CONTENT_TYPE) options+=(-H "Content-Type: $value") ;;
      esac
    done <"$work/$name.env"
  fi
  [ -f "$work/$name.in" ] && options+=(--data-binary "@$work/$name.in")
  url_path="/$name.pas${query:+?$query}"
}
# fetch SERVER NAME PATH [curl options...]: the answer, less its Date line, goes to
# $work/NAME.SERVER.
fetch() {
  local server=$1 name=$2 path=$3 port_var="port_$1"
  shift 3
  curl -s -i --max-time 20 "$@" "http://127.0.0.1:${!port_var}$path" |
    grep -av '^Date: ' >"$work/$name.$server"
}
same_answer() {
  local name=$1
  if ! cmp -s "$work/$name.cgi" "$work/$name.fcgi"; then
    echo "$name: the FastCGI answer differs from the CGI one (CGI, FastCGI):"
    diff -a "$work/$name.cgi" "$work/$name.fcgi" | head -n 20
    fail=1
  fi
}

for script in "$work"/docroot/*.pas; do
  name=$(basename "$script" .pas)
  case $name in isolation | log_page | flood | empty) continue ;; esac
  request_options "$name"
  fetch cgi "$name" "$url_path" "${options[@]}"
  fetch fcgi "$name" "$url_path" "${options[@]}"
  head -n 1 "$work/$name.cgi" | grep -q ' 200 ' || { echo "$name: CGI status $(head -n 1 "$work/$name.cgi")"; fail=1; }
  same_answer "$name"
done

# The first request sets a variable, opens an output file and sends writeln output
# there; the second, with another query, must see none of it.
fetch fcgi isolation.first '/isolation.pas?set'
fetch fcgi isolation '/isolation.pas?other'
fetch cgi isolation '/isolation.pas?other'
same_answer isolation
grep -qx '<p>mark: </p>' "$work/isolation.fcgi" || { echo "isolation: the variable leaked"; fail=1; }

fetch fcgi empty /empty.pas
if ! head -n 1 "$work/empty.fcgi" | grep -q ' 200 ' || [ -n "$(sed '1,/^\r*$/d' "$work/empty.fcgi")" ]; then
  echo "empty: not answered with an empty page:"
  cat "$work/empty.fcgi"
  fail=1
fi

fetch fcgi missing /no_such_page.pas
if ! head -n 1 "$work/missing.fcgi" | grep -q ' 404 ' || ! grep -qx 'No such script.' "$work/missing.fcgi"; then
  echo "missing: not answered with 404:"
  cat "$work/missing.fcgi"
  fail=1
fi

# The output file of a request is flushed and closed once the request is answered.
fetch fcgi log_page '/log_page.pas?one'
if [ "$(cat "$work/docroot/page.log" 2>/dev/null)" != "request one" ]; then
  echo "log_page: page.log holds '$(cat "$work/docroot/page.log" 2>/dev/null)' after the answer"
  fail=1
fi

# The worker: the server's child process (read from /proc, which needs no tools).
worker_of() {
  local stat
  for stat in /proc/[0-9]*/stat; do
    awk -v parent="$1" '$4 == parent { print $1; exit }' "$stat" 2>/dev/null
  done | head -n 1
}
# A client that reads a little of a long page and leaves: the worker lives on.
worker=$(worker_of "$pid_fcgi")
for i in 1 2 3; do
  curl -s -N --max-time 5 "http://127.0.0.1:$port_fcgi/flood.pas" 2>/dev/null | head -c 100 >/dev/null
done
fetch fcgi after_flood '/request.pas?after'
grep -q 'You asked for: after' "$work/after_flood.fcgi" || { echo "flood: no answer after a client left"; fail=1; }
if [ -z "$worker" ] || [ "$(worker_of "$pid_fcgi")" != "$worker" ]; then
  echo "flood: the worker did not survive a client that left mid-page"
  fail=1
fi

# Memory: the worker's resident size after a warm-up and after many more requests.
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$worker/status"; }
base="http://127.0.0.1:$port_fcgi"
load() { # load N: N requests over a few pages, on kept-alive connections
  local n=$(($1 / 3)) answered
  answered=$({
    curl -s --max-time 300 "$base/bench_page.pas?name=[1-$n]" -o /dev/null -w '%{http_code}\n'
    curl -s --max-time 300 "$base/form_post.pas?[1-$n]" --data-binary 'msg=hello' \
      -o /dev/null -w '%{http_code}\n'
    curl -s --max-time 300 "$base/halt.pas?[1-$n]" -o /dev/null -w '%{http_code}\n'
  } | grep -c '^200$')
  if [ "$answered" -ne $((3 * n)) ]; then
    echo "load: $answered of $((3 * n)) requests answered with 200"
    fail=1
  fi
}
cp "$(dirname "$0")/../../bench/page.pas" "$work/docroot/bench_page.pas"
if [ -n "$worker" ] && [ "$requests" -gt 0 ]; then
  load 600
  before=$(rss)
  load "$requests"
  after=$(rss)
  echo "worker memory: ${before} KiB after warm-up, ${after} KiB after $requests more requests"
  if [ "$((after - before))" -gt 64 ]; then
    echo "memory: the worker grew by $((after - before)) KiB"
    fail=1
  fi
fi

if [ $fail -ne 0 ]; then
  echo "--- server messages"
  cat "$work"/*.error.log 2>/dev/null | tail -n 20
fi
exit $fail
