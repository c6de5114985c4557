my $i = 0;
my $total = 0;
my $s = 'x';
my $t;
while ($i < 999) {
  $i = $i + 1;
  $total = $total + $i;
  $t = 'row ' . $s;
  if ($i > 500) {
    $total = $total - 1;
  }
  print "line $i total $total\n";
}
print "$total\n";
