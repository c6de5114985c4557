// vp --check: reads scripts without running them and reports, for each line the run
// would read differently from what its author likely meant, one finding in the form
// compilers use: FILE:LINE:COL: error|warning|note: message [check-name].
#pragma once

#include <cstdio>

namespace vp {

// Runs the checker over the command line "vp --check [options] FILE...". Findings go
// to out, trouble with the command line or a file to err. Returns the exit status:
// 0 when no finding at error level, 1 when one, 2 for a usage error or an unreadable
// file.
int check_command(int argc, const char* const* argv, FILE* out, FILE* err);
// Checks the one script read from fp and prints its findings, named name, to out;
// returns 0, 1 as above, or 2 when fp cannot be read.
int check_script(FILE* fp, const char* name, FILE* out);

}  // namespace vp
