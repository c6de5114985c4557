#!/usr/bin/env bash
# Serves the example CGI pages through lighttpd and drives the system's chromium
# through their forms with puppeteer-core (forms.mjs):
#   run_browser_test.sh VP EXAMPLES_DIR WORK_DIR
# The server listens on a free loopback port and is stopped however the test ends;
# the screenshot of the guest book lands in WORK_DIR/guestbook.png.
set -u
vp=$1 examples=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

lighttpd=$(command -v lighttpd || true)
[ -z "$lighttpd" ] && [ -x /usr/sbin/lighttpd ] && lighttpd=/usr/sbin/lighttpd
[ -n "$lighttpd" ] || { echo "lighttpd is not installed (tools/install-deps.sh installs it)"; exit 1; }
command -v node >/dev/null || { echo "node is not installed (tools/install-deps.sh installs it)"; exit 1; }
chromium=${CHROMIUM:-/usr/bin/chromium}
[ -x "$chromium" ] || { echo "$chromium is not installed (tools/install-deps.sh installs it)"; exit 1; }
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  echo "puppeteer-core is not installed: run tools/install-deps.sh"
  exit 1
fi
command -v curl >/dev/null || { echo "curl is not installed (tools/install-deps.sh installs it)"; exit 1; }

rm -rf "$work" && mkdir -p "$work/docroot" || exit 1
cp "$examples"/*.pas "$work/docroot/" || exit 1
token="ready-$$-$RANDOM"
echo "$token" >"$work/docroot/ready.txt"

server=""
stop_server() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    server=""
  fi
}
trap stop_server EXIT
trap 'exit 1' INT TERM

# A port someone else holds makes the server exit at once, and the next try takes
# another; the server counts as up once it hands out this run's own token.
for attempt in 1 2 3 4 5 6 7 8; do
  port=$((20000 + RANDOM % 40000))
  cat >"$work/lighttpd.conf" <<CONF
server.document-root = "$work/docroot"
server.bind = "127.0.0.1"
server.port = $port
server.modules = ( "mod_cgi" )
server.errorlog = "$work/error.log"
cgi.assign = ( ".pas" => "$vp" )
mimetype.assign = ( ".txt" => "text/plain", ".html" => "text/html" )
CONF
  "$lighttpd" -D -f "$work/lighttpd.conf" >>"$work/server.out" 2>&1 &
  server=$!
  for i in $(seq 50); do
    kill -0 "$server" 2>/dev/null || break
    [ "$(curl -s --max-time 2 "http://127.0.0.1:$port/ready.txt")" = "$token" ] && break 2
    sleep 0.1
  done
  stop_server
done
if [ -z "$server" ]; then
  echo "lighttpd did not start; its messages:"
  cat "$work/server.out" "$work/error.log" 2>/dev/null
  exit 1
fi

CHROMIUM=$chromium timeout 120 node "$here/forms.mjs" "http://127.0.0.1:$port" \
  "$work/profile" "$work/guestbook.png"
status=$?
[ $status -eq 0 ] && [ ! -s "$work/guestbook.png" ] && { echo "no screenshot"; status=1; }
exit $status
