# lighttpd for the web tests and the web benchmark, sourced by them after they set
# $work (an absolute folder whose docroot/ is served); it holds under set -e too:
#   need_lighttpd            sets $lighttpd, or ends the test when it or curl is missing
#   start_server NAME LINES  starts lighttpd on a free loopback port with the extra
#                            configuration LINES; sets port_NAME and pid_NAME
# Every server started is stopped however the test ends.

need_lighttpd() {
  lighttpd=$(command -v lighttpd || true)
  [ -z "$lighttpd" ] && [ -x /usr/sbin/lighttpd ] && lighttpd=/usr/sbin/lighttpd
  if [ -z "$lighttpd" ]; then
    echo "lighttpd is not installed (tools/install-deps.sh installs it)"
    exit 1
  fi
  command -v curl >/dev/null || {
    echo "curl is not installed (tools/install-deps.sh installs it)"
    exit 1
  }
}

servers=()
stop_servers() {
  local pid
  for pid in "${servers[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  servers=()
}
trap stop_servers EXIT
trap 'exit 1' INT TERM

# A port someone else holds makes the server exit at once, and the next try takes
# another. The server counts as up only once it hands out this run's own token, so no
# other server can pass for it.
server_token="ready-$$-$RANDOM"
start_server() {
  local name=$1 lines=$2 attempt i port pid
  echo "$server_token" >"$work/docroot/ready.txt"
  for attempt in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 40000))
    cat >"$work/$name.conf" <<CONF
server.document-root = "$work/docroot"
server.bind = "127.0.0.1"
server.port = $port
server.errorlog = "$work/$name.error.log"
mimetype.assign = ( ".txt" => "text/plain", ".html" => "text/html" )
$lines
CONF
    "$lighttpd" -D -f "$work/$name.conf" >>"$work/$name.out" 2>&1 &
    pid=$!
    for i in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      if [ "$(curl -s --max-time 2 "http://127.0.0.1:$port/ready.txt")" = "$server_token" ]; then
        servers+=("$pid")
        printf -v "port_$name" %s "$port"
        printf -v "pid_$name" %s "$pid"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  echo "lighttpd ($name) did not start; its messages:"
  cat "$work/$name.out" "$work/$name.error.log" 2>/dev/null
  return 1
}
