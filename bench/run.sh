#!/usr/bin/env bash
# Measures vp against Lua, Perl and Bash on the workloads of this folder, and the
# hello workload also against a static C program and /bin/true:
#
#   bench/run.sh               (RUNS=N sets the timed runs per program, default 51;
#                               VP=path measures another build of vp)
#
# Each workload NAME has NAME.pas and its peers NAME.lua, NAME.pl, NAME.sh, the
# output they must all print (NAME.out) and, optionally, environment lines
# (NAME.env). Every program runs with an empty environment plus those lines. For
# each program the runner prints the instructions of the whole process (callgrind),
# the median wall time, the peak resident memory, and the ratios of vp to it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
runs=${RUNS:-51}
vp=${VP:-$root/build/vp}

need=()
command -v lua5.4 >/dev/null || need+=(lua5.4)
command -v valgrind >/dev/null || need+=(valgrind)
command -v perl >/dev/null || need+=(perl)
command -v cc >/dev/null || need+=(gcc libc6-dev)
if [ ${#need[@]} -gt 0 ]; then
  echo "installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt_get() { apt-get -o DPkg::Lock::Timeout=600 -qq "$@" >/dev/null; }
  apt_get install -y --no-install-recommends "${need[@]}" ||
    { apt_get update && apt_get install -y --no-install-recommends "${need[@]}"; }
fi

if [ ! -x "$vp" ]; then
  (cd "$root" && cmake --preset default >/dev/null && cmake --build --preset default >/dev/null)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/measure" "$here/measure.c"
cc -O2 -static -o "$work/c-hello" "$here/hello.c"
lua=$(command -v lua5.4)
perl=$(command -v perl)
bash=$(command -v bash)

# The command line of one program on one workload, one word per line.
command_of() {
  local lang=$1 name=$2
  case $lang in
    vp) printf '%s\n' "$vp" "$here/$name.pas" ;;
    lua5.4) printf '%s\n' "$lua" "$here/$name.lua" ;;
    perl) printf '%s\n' "$perl" "$here/$name.pl" ;;
    bash) printf '%s\n' "$bash" "$here/$name.sh" ;;
    c-static) printf '%s\n' "$work/c-hello" ;;
    true) printf '%s\n' /bin/true ;;
  esac
}

environment_of() {
  envs=(PATH=/usr/bin:/bin LANG=C TZ=UTC)
  if [ -f "$here/$1.env" ]; then
    while IFS= read -r e || [ -n "$e" ]; do envs+=("$e"); done <"$here/$1.env"
  fi
}

instructions() { # prints the instructions of one run of the command
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null </dev/null |
    sed -n 's/.*Collected : *//p'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'; }
thousands() { sed ':a; s/\B[0-9]\{3\}\>/,&/; ta' <<<"$1"; }

failed=0
declare -A ir ms kib
for name in hello loop page; do
  langs=(vp lua5.4 perl bash)
  [ "$name" = hello ] && langs+=(c-static true)
  environment_of "$name"

  for lang in "${langs[@]}"; do
    mapfile -t cmd < <(command_of "$lang" "$name")
    [ "$lang" = true ] && continue
    if ! (cd "$work" && env -i "${envs[@]}" "${cmd[@]}" </dev/null >"$work/out") ||
      ! cmp -s "$work/out" "$here/$name.out"; then
      echo "$name: the output of $lang differs from $name.out:" >&2
      diff "$here/$name.out" "$work/out" | head -n 10 >&2 || true
      failed=1
    fi
  done

  spawn=()
  for lang in "${langs[@]}"; do
    mapfile -t cmd < <(command_of "$lang" "$name")
    ir[$name.$lang]=$(cd "$work" && env -i "${envs[@]}" bash -c "$(declare -f instructions); instructions \"\$@\"" _ "${cmd[@]}")
    [ ${#spawn[@]} -gt 0 ] && spawn+=(--)
    spawn+=("${cmd[@]}")
  done
  mapfile -t timed < <(cd "$work" && env -i "${envs[@]}" "$work/measure" "$runs" "${spawn[@]}")
  for i in "${!langs[@]}"; do
    read -r us peak <<<"${timed[$i]}"
    ms[$name.${langs[$i]}]=$(awk -v u="$us" 'BEGIN { printf "%.3f", u / 1000 }')
    kib[$name.${langs[$i]}]=$peak
  done

  echo
  echo "== $name ($runs timed runs each)"
  printf '%-9s %14s %10s %9s   %s\n' program instructions "wall ms" "peak KiB" "vp/program: instructions wall memory"
  for lang in "${langs[@]}"; do
    k=$name.$lang
    printf '%-9s %14s %10s %9s' "$lang" "$(thousands "${ir[$k]}")" "${ms[$k]}" "${kib[$k]}"
    if [ "$lang" != vp ]; then
      printf '   %24s %5s %6s' "$(ratio "${ir[$name.vp]}" "${ir[$k]}")" \
        "$(ratio "${ms[$name.vp]}" "${ms[$k]}")" "$(ratio "${kib[$name.vp]}" "${kib[$k]}")"
    fi
    echo
  done
done

echo
echo "== loop scaling (vp, instructions of the whole run)"
printf '%6s %14s %16s\n' passes instructions "per extra pass"
previous_n=0 previous_ir=0
for n in 100 200 300 400 500 600 700 800 900 999; do
  sed "s/while i < 999 do/while i < $n do/" "$here/loop.pas" >"$work/loop$n.pas"
  count=$(cd "$work" && env -i PATH=/usr/bin:/bin LANG=C TZ=UTC bash -c \
    "$(declare -f instructions); instructions \"\$@\"" _ "$vp" "loop$n.pas")
  per=-
  [ "$previous_n" -gt 0 ] && per=$(((count - previous_ir) / (n - previous_n)))
  printf '%6d %14s %16s\n' "$n" "$(thousands "$count")" "$per"
  previous_n=$n previous_ir=$count
done

echo
echo "== figures"
check() { # label, condition as awk expression over a and b, a, b, shown
  if awk -v a="$3" -v b="$4" "BEGIN { exit !($2) }"; then verdict=met; else verdict=missed; fi
  printf '%-58s %-26s %s\n' "$1" "$5" "$verdict"
}
check "hello: vp at most 150 K instructions" "a <= 150000" "${ir[hello.vp]}" 0 \
  "$(thousands "${ir[hello.vp]}")"
check "hello: vp wall time within 1.3 x /bin/true" "a <= 1.3 * b" "${ms[hello.vp]}" \
  "${ms[hello.true]}" "$(ratio "${ms[hello.vp]}" "${ms[hello.true]}") x"
check "loop: vp fewer instructions than lua5.4" "a < b" "${ir[loop.vp]}" "${ir[loop.lua5.4]}" \
  "$(ratio "${ir[loop.vp]}" "${ir[loop.lua5.4]}") x"
check "loop: vp fewer instructions than perl" "a < b" "${ir[loop.vp]}" "${ir[loop.perl]}" \
  "$(ratio "${ir[loop.vp]}" "${ir[loop.perl]}") x"
most=0
for name in hello loop page; do
  [ "${kib[$name.vp]}" -gt "$most" ] && most=${kib[$name.vp]}
done
check "memory: vp peak within 1 MiB of a static C hello" "a - b <= 1024" "$most" \
  "${kib[hello.c-static]}" "$most KiB vs ${kib[hello.c-static]} KiB"
exit $failed
