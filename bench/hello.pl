print "Content-type: text/html\n";
print "\n";
print "Hello, world!\n";
