<?php
// The hello workload for php-fpm, the persistent peer of the web benchmark.
header('Content-type: text/html');
echo "Hello, world!\n";
