// vp: runs a script named on the command line.
#include "vp/interpreter.hpp"

int main(int argc, char** argv) {
  static vp::PosixHost host;
  static vp::Interpreter it(host);
  const int status = vp::run(it, argc, argv);
  vp::end_process(it, status);
}
