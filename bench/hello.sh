echo 'Content-type: text/html'
echo
echo 'Hello, world!'
