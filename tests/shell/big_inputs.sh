#!/usr/bin/env bash
# The real program on inputs too big to keep in the repository: a script of one
# megabyte-long line, a megabyte word on standard input, CGI values as long as the
# kernel lets one environment string be, NUL bytes and CR LF line ends in a script.
# big_inputs.sh VP WORK
set -u
vp=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 2
fail=0
sanitizer_env=()
for v in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -n "${!v:-}" ] && sanitizer_env+=("$v=${!v}")
done

check() {  # check NAME EXPECTED_STATUS EXPECTED_OUTPUT_FILE ACTUAL_STATUS
  if [ "$4" != "$2" ]; then
    echo "$1: exit status $4, expected $2"
    fail=1
  fi
  if ! cmp -s "$3" "$1.stdout"; then
    echo "$1: standard output differs (expected, actual):"
    diff -a "$3" "$1.stdout" | head -c 2000
    fail=1
  fi
}

run() {  # run NAME INPUT [KEY=VALUE...]: runs NAME.pas
  local name=$1 input=$2
  shift 2
  env -i PATH=/usr/bin:/bin LANG=C TZ=UTC ${sanitizer_env[@]+"${sanitizer_env[@]}"} "$@" \
    timeout 60 "$vp" "$name.pas" <"$input" >"$name.stdout"
}

# One line of 4112 pieces of 255 characters, then a last piece with a statement and
# the end of the program: only that piece does anything.
{
  printf 'program t;\nbegin\n'
  head -c $((255 * 4112)) /dev/zero | tr '\0' x
  printf "  writeln('ok'); end.\n  writeln('never');\n"
} >long_line.pas
printf 'ok\n' >long_line.want
run long_line /dev/null
check long_line 0 long_line.want $?

# A megabyte word is cut to 49 characters and consumed whole; the next word follows.
{
  head -c $((1 << 20)) /dev/zero | tr '\0' w
  printf ' next\n'
} >word.in
printf 'program t;\nvar a : string;\nvar b : string;\nbegin\n  read(a);\n  read(b);\n  writeln(a);\n  writeln(b);\nend.\n' >word.pas
{
  head -c 49 /dev/zero | tr '\0' w
  printf '\nnext\n'
} >word.want
run word word.in
check word 0 word.want $?

# One environment string may be at most 128 KB long: the longest values the kernel
# passes are cut to the 255 characters of a variable.
big=$(head -c 131000 /dev/zero | tr '\0' q)
printf 'program t;\nvar q : string;\nvar u : string;\nbegin\n  read_query_string(q);\n  read_http_user_agent(u);\n  writeln(q);\n  writeln(u);\nend.\n' >cgi.pas
{
  head -c 255 /dev/zero | tr '\0' q
  printf '\n'
  head -c 255 /dev/zero | tr '\0' q
  printf '\n'
} >cgi.want
run cgi /dev/null "QUERY_STRING=$big" "HTTP_USER_AGENT=$big" GATEWAY_INTERFACE=CGI/1.1
check cgi 0 cgi.want $?

# A form body of 1 MiB through a pipe, after a word that read took from it: read_form
# takes exactly CONTENT_LENGTH bytes from where read stopped, and read goes on after.
{
  printf 'first pad='
  head -c $(((1 << 20) - 14)) /dev/zero | tr '\0' x
  printf '&name=Ada last\n'
} >form.in
printf "program t;\nvar a : string;\nvar v : string;\nvar b : string;\nbegin\n  read(a);\n  read_form(v,'name');\n  read(b);\n  writeln(a);\n  writeln(v);\n  writeln(b);\nend.\n" >form.pas
printf 'first\nAda\nlast\n' >form.want
run form <(cat form.in) REQUEST_METHOD=POST CONTENT_TYPE=application/x-www-form-urlencoded \
  CONTENT_LENGTH=1048576 GATEWAY_INTERFACE=CGI/1.1
check form 0 form.want $?

# NUL bytes end a line for every scan; CR LF line ends read as the line ends they are.
printf "program t;\r\nvar s : string;\r\nbegin\r\n  s := 'ab';\r\n  writeln('a\0b');\r\n  writeln(s);\r\n\0end.\r\nend.\r\n" >odd.pas
printf 'aPascal Error - Parse error with writeln\n\nab\n' >odd.want
run odd /dev/null
check odd 0 odd.want $?

exit $fail
