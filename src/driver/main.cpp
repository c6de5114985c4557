// vp: runs a script named on the command line, or serves FastCGI requests.
#include <cstdlib>
#include <cstring>

#include "vp/interpreter.hpp"
#include "vp/serve.hpp"

namespace {
vp::PosixHost host;
constinit vp::Interpreter it(host);
}  // namespace

int main(int argc, char** argv) {
  // A web server starts a FastCGI program with no arguments and a listening socket
  // as standard input; `vp --fastcgi ADDRESS` listens itself. Neither reaches a CGI
  // run, whose command line always names a script (and may come from the URL).
  if (argc < 2 && vp::started_as_fastcgi()) return vp::serve_fastcgi(nullptr);
  if (argc == 3 && strcmp(argv[1], "--fastcgi") == 0 && getenv("GATEWAY_INTERFACE") == nullptr)
    return vp::serve_fastcgi(argv[2]);
  const int status = vp::run(it, argc, argv);
  vp::end_process(it, status);
}
