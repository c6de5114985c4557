#!/usr/bin/env bash
# Serves the example CGI pages through lighttpd and drives the system's chromium
# through their forms with puppeteer-core (forms.mjs):
#   run_browser_test.sh VP EXAMPLES_DIR WORK_DIR
# The server listens on a free loopback port and is stopped however the test ends;
# the screenshot of the guest book lands in WORK_DIR/guestbook.png.
set -u
vp=$1 examples=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

. "$here/../cgi/lighttpd.sh"
need_lighttpd
command -v node >/dev/null || { echo "node is not installed (tools/install-deps.sh installs it)"; exit 1; }
chromium=${CHROMIUM:-/usr/bin/chromium}
[ -x "$chromium" ] || { echo "$chromium is not installed (tools/install-deps.sh installs it)"; exit 1; }
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  echo "puppeteer-core is not installed: run tools/install-deps.sh"
  exit 1
fi

rm -rf "$work" && mkdir -p "$work/docroot" || exit 1
work=$(cd "$work" && pwd)
cp "$examples"/*.pas "$work/docroot/" || exit 1
start_server cgi 'server.modules = ( "mod_cgi" )
cgi.assign = ( ".pas" => "'"$vp"'" )' || exit 1
port=$port_cgi

CHROMIUM=$chromium timeout 120 node "$here/forms.mjs" "http://127.0.0.1:$port" \
  "$work/profile" "$work/guestbook.png"
status=$?
[ $status -eq 0 ] && [ ! -s "$work/guestbook.png" ] && { echo "no screenshot"; status=1; }
exit $status
