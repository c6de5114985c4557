// exec and system under a persistent server: the program runs as a child of the
// worker and its output is copied into the response.
#pragma once

#include <string>

#include "vp/serve.hpp"

namespace vp {

// Starts the program at path with the argument list path, arg and the environment
// envp; its standard input reads input (what is left of the request body, as a
// program that replaces a CGI process inherits it), its standard output goes to
// response.
// Returns false when it could not be started; else waits for it and sets *status
// and *copied, the bytes of output copied.
bool run_child(const char* path, const char* arg, char* const* envp, const std::string& input,
               Connection& response, int* status, size_t* copied);

}  // namespace vp
