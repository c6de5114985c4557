// A request held in memory: parameters and body from the test, the response kept.
#include "vp/serve.hpp"

namespace vp {

bool MemoryConnection::write(const char* data, size_t size) {
  if (out.size() + size > write_limit) {
    out.append(data, write_limit - out.size());
    return false;
  }
  out.append(data, size);
  return true;
}

void MemoryConnection::write_err(const char* data, size_t size) {
  err.append(data, size);
}

int MemoryConnection::read_byte() {
  if (body_at_ >= body.size()) {
    ++body_at_;  // so an unread after the end puts nothing back
    return EOF;
  }
  return static_cast<unsigned char>(body[body_at_++]);
}

void MemoryConnection::unread_byte(int c) {
  if (c != EOF && body_at_ > 0) --body_at_;
}

const char* MemoryConnection::param(const char* name) {
  auto found = params.find(name);
  return found == params.end() ? nullptr : found->second.c_str();
}

bool MemoryConnection::run_program(const char* path, const char* arg, int* status, size_t* copied) {
  programs.push_back(std::string(path) + "|" + arg);
  if (!programs_start) return false;
  const size_t before = out.size();
  write(program_output.data(), program_output.size());
  *copied = out.size() - before;
  *status = 0;
  return true;
}

}  // namespace vp
