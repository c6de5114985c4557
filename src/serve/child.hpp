// exec and system under a persistent server: the program runs as a child of the
// worker and its output is copied into the response.
#pragma once

#include "vp/serve.hpp"

namespace vp {

// Starts the program at path with the argument list path, arg and the environment
// envp; its standard output goes to response, its standard input reads nothing.
// Returns false when it could not be started; else waits for it and sets *status
// and *copied, the bytes of output copied.
bool run_child(const char* path, const char* arg, char* const* envp, Connection& response,
               int* status, size_t* copied);

}  // namespace vp
