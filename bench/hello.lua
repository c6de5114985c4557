io.write("Content-type: text/html\n")
io.write("\n")
io.write("Hello, world!\n")
