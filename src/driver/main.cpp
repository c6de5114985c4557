// vp: runs a script named on the command line.
#include "vp/interpreter.hpp"

namespace {
vp::PosixHost host;
constinit vp::Interpreter it(host);
}  // namespace

int main(int argc, char** argv) {
  const int status = vp::run(it, argc, argv);
  vp::end_process(it, status);
}
