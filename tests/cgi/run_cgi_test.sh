#!/usr/bin/env bash
# Serves the example CGI scripts through a real web server and checks the answers:
#   run_cgi_test.sh VP EXAMPLES_DIR WORK_DIR
# lighttpd listens on a free loopback port, with mod_cgi running every .pas file
# through VP; curl fetches a few pages, and the status line, the content-type header
# and the body of each are checked. The server is stopped however the test ends.
set -u
vp=$1 examples=$2 work=$3

. "$(dirname "$0")/lighttpd.sh"
need_lighttpd

rm -rf "$work" && mkdir -p "$work/docroot" || exit 1
work=$(cd "$work" && pwd)
cp "$examples"/*.pas "$work/docroot/" || exit 1
# A page with a mistake: warnings, asked for in the server's environment, go to the
# log of the scripts' standard error and leave the page as it is.
printf "program slip;\nbegin\n  writewh();\n  writeln(nosuch);\n  writeln('<p>rest</p>');\nend.\n" \
  >"$work/docroot/slip.pas"
: >"$work/breakage.log"
start_server cgi 'server.modules = ( "mod_cgi", "mod_setenv" )
server.breakagelog = "'"$work"'/breakage.log"
cgi.assign = ( ".pas" => "'"$vp"'" )
setenv.add-environment = ( "VP_WARNINGS" => "1" )' || exit 1
port=$port_cgi

fail=0
# fetch NAME PATH [curl options...]: the whole answer goes to $work/NAME.http.
fetch() {
  local name=$1 path=$2
  shift 2
  if ! curl -s -i --max-time 10 "$@" "http://127.0.0.1:$port$path" >"$work/$name.http"; then
    echo "$name: request for $path failed"
    fail=1
  fi
  tr -d '\r' <"$work/$name.http" >"$work/$name.txt"
}
# expect_page NAME: an answer with status 200 and the content type of an HTML page.
expect_page() {
  local name=$1 status
  status=$(head -n 1 "$work/$name.txt")
  if [ "$status" != "HTTP/1.1 200 OK" ]; then
    echo "$name: status line '$status'"
    fail=1
  fi
  if ! sed '/^$/q' "$work/$name.txt" | grep -qix 'content-type: text/html'; then
    echo "$name: no 'Content-Type: text/html' header"
    fail=1
  fi
}
# expect_body NAME TEXT: the body holds TEXT as a whole line.
expect_body() {
  if ! sed '1,/^$/d' "$work/$1.txt" | grep -qxF -- "$2"; then
    echo "$1: the body lacks the line '$2'"
    fail=1
  fi
}
reject_body() {
  if sed '1,/^$/d' "$work/$1.txt" | grep -qF -- "$2"; then
    echo "$1: the body holds '$2'"
    fail=1
  fi
}

fetch request '/request.pas?name=Tom&x=%3Cb%3E'
expect_page request
expect_body request '<p>You asked for: name=Tom&amp;x=%3Cb%3E</p>'
expect_body request '<p>Your address: 127.0.0.1</p>'

fetch escape /escape.pas -A '<script>alert(1)</script>'
expect_page escape
expect_body escape '<p>Your browser says: &lt;script&gt;alert(1)&lt;/script&gt;</p>'
reject_body escape '<script>'

# A query of one word may reach a CGI program as a command-line word; it must not
# turn trace mode on for the visitor.
fetch listing '/listing.pas?-d' -A 'tester <b>'
expect_page listing
expect_body listing 'HTTP_USER_AGENT=tester&nbsp;&lt;b&gt;<br>'
expect_body listing 'REMOTE_ADDR=127.0.0.1<br>'
expect_body listing 'REQUEST_METHOD=GET<br>'
expect_body listing 'QUERY_STRING=-d<br>'
reject_body listing '**['

fetch slip /slip.pas
expect_page slip
expect_body slip '<p>rest</p>'
if ! grep -q "/slip.pas:4: warning: no variable is named 'nosuch'" "$work/breakage.log"; then
  echo "slip: no warning in the log of standard error"
  fail=1
fi
# The page is the one the server was asked for, whatever the query says.
fetch other '/request.pas?/etc/passwd'
expect_page other
expect_body other '<p>You asked for: /etc/passwd</p>'
fetch gone /gone.pas
if [ "$(head -n 1 "$work/gone.txt")" != "HTTP/1.1 404 Not Found" ]; then
  echo "gone: status line '$(head -n 1 "$work/gone.txt")'"
  fail=1
fi

# The form and cookie pages: a GET form, a POST form whose entry goes to a file above
# the served folder, and a cookie written back one star longer.
fetch search '/search.pas?q=Tom+Smith%21+%3Cb%3E&lang=en'
expect_page search
expect_body search '<p>You searched for <b id="words">Tom&nbsp;Smith!&nbsp;&lt;b&gt;</b> in <span id="lang">en</span>.</p>'

fetch sign /guestbook.pas --data-urlencode "msg=it's <b>fine</b>
forged line"
expect_page sign
expect_body sign '<p>Thank you for signing: <q id="signed">it&#39;s&nbsp;&lt;b&gt;fine&lt;/b&gt;&nbsp;forged&nbsp;line</q></p>'
if [ "$(cat "$work/guestbook.txt" 2>/dev/null)" != "it's <b>fine</b> forged line" ]; then
  echo "sign: $work/guestbook.txt does not hold the one-line entry"
  fail=1
fi

fetch visits /visits.pas -b 'theme=dark; visits=**'
expect_page visits
if ! sed '/^$/q' "$work/visits.txt" | grep -qx 'Set-Cookie: visits=\*\*\*; Path=/; SameSite=Strict'; then
  echo "visits: no cookie of three stars"
  fail=1
fi

if [ $fail -ne 0 ]; then
  cat "$work/cgi.error.log" "$work/breakage.log"
  for page in request escape listing slip search sign visits; do
    echo "--- $page"
    cat "$work/$page.txt"
  done
fi
exit $fail
