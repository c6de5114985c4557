<?php
// The page workload for php-fpm: the same page as page.pas, built the same way.
header('Content-type: text/html');
function writewc($text) {
  echo str_replace(['&', ' ', '<', '>', '"'], ['&amp;', '&nbsp;', '&lt;', '&gt;', '&quot;'], $text);
}
$who = substr($_SERVER['QUERY_STRING'] ?? '', 5);
$title = 'Guest book of ' . $who;
$greeting = 'Hello, ' . $who;
$greeting = substr_replace($greeting, 'dear ', 7, 0);
$at = strpos($greeting, 'Hello');
if ($at !== false) $greeting = substr_replace($greeting, 'Howdy', $at, 5);
echo "<html>\n";
echo "<head><title>", $title, "</title></head>\n";
echo "<body>\n";
echo '<h1>';
writewc($title);
echo "</h1>\n";
echo '<p>';
writewc($greeting);
writewc('!');
echo "</p>\n";
echo '<p>';
writewc('Tom & Jerry say <hi> to "you"');
echo "</p>\n";
$title = substr($title, 6);
echo '<p>';
writewc($title);
echo "</p>\n";
echo "<table>\n";
for ($k = 1; $k <= 20; $k++) {
  $row = 'Entry ' . $k;
  if ($k > 15) $row .= ' (new)';
  echo '<tr><td>', $k, '</td><td>';
  writewc($row);
  echo "</td></tr>\n";
}
echo "</table>\n";
echo '<p>';
writewc('Rows: 20 & counting');
echo "</p>\n";
echo "</body>\n";
echo "</html>\n";
