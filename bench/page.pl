my %entity = (' ' => '&nbsp;', '<' => '&lt;', '>' => '&gt;', '&' => '&amp;', '"' => '&quot;');
sub escape { my $text = shift; $text =~ s/([ <>&"])/$entity{$1}/g; return $text; }

print "Content-type: text/html\n\n";
my $who = substr($ENV{QUERY_STRING} // '', 5);
my $title = "Guest book of $who";
my $greeting = "Hello, $who";
substr($greeting, 7, 0) = 'dear ';
my $at = index($greeting, 'Hello');
substr($greeting, $at, 5) = 'Howdy' if $at >= 0;
print "<html>\n";
print "<head><title>$title</title></head>\n";
print "<body>\n";
print "<h1>", escape($title), "</h1>\n";
print "<p>", escape($greeting), "!</p>\n";
print '<p>', escape('Tom & Jerry say <hi> to "you"'), "</p>\n";
$title = substr($title, 6);
print "<p>", escape($title), "</p>\n";
my $k = 0;
print "<table>\n";
for (1 .. 20) {
  $k = $k + 1;
  my $row = "Entry $k";
  $row = "$row (new)" if $k > 15;
  print "<tr><td>$k</td><td>", escape($row), "</td></tr>\n";
}
print "</table>\n";
print '<p>', escape('Rows: 20 & counting'), "</p>\n";
print "</body>\n";
print "</html>\n";
