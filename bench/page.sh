# The replacement texts hold a literal "&".
shopt -u patsub_replacement 2>/dev/null

# Sets escaped to the text with its HTML-special characters replaced (no subshell).
escape() {
  escaped=${1//&/&amp;}
  escaped=${escaped// /&nbsp;}
  escaped=${escaped//</&lt;}
  escaped=${escaped//>/&gt;}
  escaped=${escaped//\"/&quot;}
}

printf 'Content-type: text/html\n\n'
query=${QUERY_STRING-}
who=${query:5}
title="Guest book of $who"
greeting="Hello, $who"
greeting="${greeting:0:7}dear ${greeting:7}"
rest=${greeting#*Hello}
if [[ $rest != "$greeting" ]]; then
  greeting="${greeting%%Hello*}Howdy$rest"
fi
echo '<html>'
echo "<head><title>$title</title></head>"
echo '<body>'
escape "$title"
echo "<h1>$escaped</h1>"
escape "$greeting"
echo "<p>$escaped!</p>"
escape 'Tom & Jerry say <hi> to "you"'
echo "<p>$escaped</p>"
title=${title:6}
escape "$title"
echo "<p>$escaped</p>"
k=0
echo '<table>'
for ((n = 0; n < 20; n++)); do
  k=$((k + 1))
  row="Entry $k"
  if ((k > 15)); then
    row="$row (new)"
  fi
  escape "$row"
  echo "<tr><td>$k</td><td>$escaped</td></tr>"
done
echo '</table>'
escape 'Rows: 20 & counting'
echo "<p>$escaped</p>"
echo '</body>'
echo '</html>'
