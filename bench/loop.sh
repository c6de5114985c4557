i=0
total=0
s=x
while ((i < 999)); do
  i=$((i + 1))
  total=$((total + i))
  t="row $s"
  if ((i > 500)); then
    total=$((total - 1))
  fi
  echo "line $i total $total"
done
echo "$total"
