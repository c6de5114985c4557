#!/usr/bin/env bash
# Measures pages served through a web server: lighttpd running vp through mod_cgi (a
# process per request) and through mod_fastcgi (persistent vp workers), a static C
# CGI program as the limit of a process per request, and php-fpm on the same pages
# where it is installed:
#
#   bench/web.sh          (DURATION=N seconds per measurement, default 10; VP=path
#                          measures another build of vp; WORKERS=N FastCGI workers,
#                          default two per processor: a worker waits on the server
#                          between requests, and so does the server on it)
#
# wrk runs on 127.0.0.1 with 2 threads and 8 connections for a fixed time; every
# server is started on a free loopback port, checked to answer the page right, and
# stopped however the script ends. Prints requests per second for each.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
vp=${VP:-$root/build/vp}
duration=${DURATION:-10}
workers=${WORKERS:-$((2 * $(nproc)))}

lighttpd=$(command -v lighttpd || true)
[ -z "$lighttpd" ] && [ -x /usr/sbin/lighttpd ] && lighttpd=/usr/sbin/lighttpd
need=()
[ -z "$lighttpd" ] && need+=(lighttpd)
command -v wrk >/dev/null || need+=(wrk)
command -v curl >/dev/null || need+=(curl)
command -v cc >/dev/null || need+=(gcc libc6-dev)
if [ ${#need[@]} -gt 0 ]; then
  echo "web.sh needs: ${need[*]} (apt-get install ${need[*]})"
  exit 1
fi
php_fpm=$(compgen -c php-fpm | sort -u | head -n 1 || true)
[ -z "$php_fpm" ] && php_fpm=$(ls /usr/sbin/php-fpm* 2>/dev/null | head -n 1 || true)

if [ ! -x "$vp" ]; then
  (cd "$root" && cmake --preset default >/dev/null && cmake --build --preset default >/dev/null)
fi

work=$(mktemp -d)
. "$root/tests/cgi/lighttpd.sh"
trap 'stop_servers; rm -rf "$work"' EXIT

mkdir -p "$work/docroot"
cp "$here/hello.pas" "$here/page.pas" "$here/hello.php" "$here/page.php" "$work/docroot/"
cc -O2 -static -o "$work/docroot/hello.cgi" "$here/hello.c"

# rate PATH EXPECTED_BODY_FILE: requests per second on the page, after checking that
# it answers with the expected body.
rate() {
  local url="http://127.0.0.1:$port_web$1"
  if ! curl -s --max-time 10 "$url" | cmp -s - "$2"; then
    echo "$1 does not answer as expected" >&2
    exit 1
  fi
  timeout $((duration + 30)) wrk -t2 -c8 -d"${duration}s" "$url" |
    awk '/^Requests\/sec:/ { printf "%d", $2 }'
}

sed '1,/^$/d' "$here/hello.out" >"$work/hello.body"
sed '1,/^$/d' "$here/page.out" >"$work/page.body"

declare -A result
start_server web 'server.max-connections = 256
server.modules = ( "mod_cgi" )
cgi.assign = ( ".pas" => "'"$vp"'", ".cgi" => "" )' || exit 1
result[cgi.hello]=$(rate /hello.pas "$work/hello.body")
result[cgi.page]=$(rate '/page.pas?name=World' "$work/page.body")
result[cgi.c]=$(rate /hello.cgi "$work/hello.body")
stop_servers

start_server web 'server.max-connections = 256
server.modules = ( "mod_fastcgi" )
fastcgi.server = ( ".pas" => (( "bin-path" => "'"$vp"'", "socket" => "'"$work"'/vp.socket",
                                "max-procs" => '"$workers"' )) )' || exit 1
result[fcgi.hello]=$(rate /hello.pas "$work/hello.body")
result[fcgi.page]=$(rate '/page.pas?name=World' "$work/page.body")
stop_servers

if [ -n "$php_fpm" ]; then
  cat >"$work/php-fpm.conf" <<EOF
[global]
pid = $work/php-fpm.pid
error_log = $work/php-fpm.log
daemonize = no
[www]
listen = $work/php.socket
pm = static
pm.max_children = $workers
EOF
  "$php_fpm" -F -R -y "$work/php-fpm.conf" >>"$work/php-fpm.out" 2>&1 &
  servers+=("$!")
  for i in $(seq 50); do [ -S "$work/php.socket" ] && break; sleep 0.1; done
  start_server web 'server.max-connections = 256
server.modules = ( "mod_fastcgi" )
fastcgi.server = ( ".php" => (( "socket" => "'"$work"'/php.socket" )) )' || exit 1
  result[php.hello]=$(rate /hello.php "$work/hello.body")
  result[php.page]=$(rate '/page.php?name=World' "$work/page.body")
  stop_servers
fi

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else printf "-" }'; }
echo "requests per second, wrk -t2 -c8 for ${duration}s on 127.0.0.1, $workers FastCGI workers"
printf '%-8s %10s %10s %12s %10s %12s\n' page "vp CGI" "vp FastCGI" "FastCGI/CGI" php-fpm "vp/php-fpm"
for page in hello page; do
  php=${result[php.$page]:--}
  printf '%-8s %10s %10s %12s %10s %12s\n' "$page" "${result[cgi.$page]}" \
    "${result[fcgi.$page]}" "$(ratio "${result[fcgi.$page]}" "${result[cgi.$page]}")" \
    "$php" "$(ratio "${result[fcgi.$page]}" "${php/-/0}")"
done
echo "static C program under CGI (the limit of a process per request): ${result[cgi.c]}"
