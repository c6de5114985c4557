// The platform seam: everything the interpreter does to the world outside its own
// memory goes through a Host. PosixHost is the real one; MemoryHost serves tests and
// the fuzzer from memory and turns the end of the process into an exception.
#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace vp {

struct FileIdentity {
  unsigned long long device;
  unsigned long long inode;
  bool regular;  // a plain file, not a device, pipe or folder
};

class Host {
 public:
  virtual ~Host() = default;

  // Standard output: the interpreter buffers and hands over whole chunks. Once a
  // write has failed (a full disk, a reader that went away), later ones are dropped
  // and out_failure() names the reason.
  virtual void write_out(const char* data, size_t size) = 0;
  // Why standard output could not be written, or nullptr while it can.
  virtual const char* out_failure() = 0;
  // Standard error: warnings and the interpreter's own trouble, never the script's
  // output. Failures are ignored: there is nowhere left to report them.
  virtual void write_err(const char* data, size_t size) = 0;
  // Standard input, one byte at a time; EOF at the end.
  virtual int read_in() = 0;
  // Puts back the byte just read, so the next read_in returns it again.
  virtual void unread_in(int c) = 0;
  // Up to size bytes of standard input into buf, fewer only at its end; returns how
  // many. A host that can do better than a byte at a time says so.
  virtual size_t read_in_block(char* buf, size_t size) {
    size_t n = 0;
    for (int c; n < size && (c = read_in()) != EOF;) buf[n++] = static_cast<char>(c);
    return n;
  }

  // The environment; nullptr when the variable is not set.
  virtual const char* get_env(const char* name) = 0;
  // The working directory into buf; false on failure.
  virtual bool get_cwd(char* buf, size_t size) = 0;
  virtual time_t now() = 0;

  // The script, opened for reading: a handle for the calls below, or -1 when it
  // cannot be opened (errno tells why). The interpreter keeps its own buffer and
  // offsets over these. Like the output text file, it is not handed on to a
  // program that exec starts.
  virtual int open_script(const char* path) = 0;
  // Reads up to size bytes from the script's current place on: the count, 0 at the
  // end, -1 on an error.
  virtual long read_script(int script, char* buf, size_t size) = 0;
  // Moves the script's current place to offset; false when the script cannot move
  // (a pipe) or the offset lies past its end.
  virtual bool seek_script(int script, long offset) = 0;
  virtual void close_script(int script) = 0;
  // The output text file, opened for appending; nullptr on failure.
  virtual FILE* open_append(const char* path) = 0;
  // Device and inode of a path, or of an open script: what tells that two names
  // lead to one file. False when the file cannot be reached; missing then tells
  // whether it does not exist at all.
  virtual bool identify(const char* path, FileIdentity* id, bool* missing) = 0;
  virtual bool identify_script(int script, FileIdentity* id) = 0;
  // The start-up probe of a release file: -1 when it does not open, else the number
  // of bytes of its first line copied into line (at most size - 1, line end kept; 0
  // when the file holds no line). With size 0 the file is only opened.
  virtual int probe_file(const char* path, char* line, int size) = 0;

  // Replaces the process by the program at path with the single argument arg. Returns
  // only when the program could not be started.
  virtual void exec(const char* path, const char* arg) = 0;
  virtual void sleep_seconds(unsigned seconds) = 0;
  [[noreturn]] virtual void exit_process(int status) = 0;
};

class PosixHost final : public Host {
 public:
  PosixHost();
  void write_out(const char* data, size_t size) override;
  const char* out_failure() override;
  void write_err(const char* data, size_t size) override;
  int read_in() override;
  void unread_in(int c) override;
  size_t read_in_block(char* buf, size_t size) override;
  const char* get_env(const char* name) override;
  bool get_cwd(char* buf, size_t size) override;
  time_t now() override;
  int open_script(const char* path) override;
  long read_script(int script, char* buf, size_t size) override;
  bool seek_script(int script, long offset) override;
  void close_script(int script) override;
  FILE* open_append(const char* path) override;
  bool identify(const char* path, FileIdentity* id, bool* missing) override;
  bool identify_script(int script, FileIdentity* id) override;
  int probe_file(const char* path, char* line, int size) override;
  void exec(const char* path, const char* arg) override;
  void sleep_seconds(unsigned seconds) override;
  [[noreturn]] void exit_process(int status) override;

 private:
  int out_errno_ = 0;  // the error of the first failed write to standard output
  char in_buf_[4096];
  int in_pos_ = 0;
  int in_len_ = 0;
  int pushed_ = -2;  // a byte put back by unread_in, or -2 for none
};

// Thrown by MemoryHost::exit_process, so a test sees the end of the process.
struct ProcessExit {
  int status;
};

class MemoryHost final : public Host {
 public:
  MemoryHost();
  ~MemoryHost() override;

  // What the test gives the interpreter.
  std::map<std::string, std::string> scripts;  // path -> content
  std::map<std::string, std::string> env;
  std::map<std::string, std::string> probe;  // release files that exist -> content
  std::string input;
  std::string cwd = "/home/user";
  bool cwd_fails = false;
  time_t clock = 0;
  bool exec_succeeds = false;  // whether an exec replaces the process
  bool out_full = false;       // whether writes to standard output fail
  std::string full_file;       // an output file whose writes fail, as on a full disk

  // What the interpreter did.
  std::string out;
  std::string err;
  std::map<std::string, std::string> files;  // output files -> everything written
  std::vector<std::string> execs;            // "path|arg" per exec attempt
  std::vector<unsigned> sleeps;

  void write_out(const char* data, size_t size) override;
  const char* out_failure() override;
  void write_err(const char* data, size_t size) override;
  int read_in() override;
  void unread_in(int c) override;
  const char* get_env(const char* name) override;
  bool get_cwd(char* buf, size_t size) override;
  time_t now() override;
  int open_script(const char* path) override;
  long read_script(int script, char* buf, size_t size) override;
  bool seek_script(int script, long offset) override;
  void close_script(int script) override;
  FILE* open_append(const char* path) override;
  bool identify(const char* path, FileIdentity* id, bool* missing) override;
  bool identify_script(int script, FileIdentity* id) override;
  int probe_file(const char* path, char* line, int size) override;
  void exec(const char* path, const char* arg) override;
  void sleep_seconds(unsigned seconds) override;
  [[noreturn]] void exit_process(int status) override;

 private:
  size_t in_pos_ = 0;
  bool out_failed_ = false;  // a write to standard output failed
  // Each open script: its text as it was opened, and the current place in it.
  struct OpenScript {
    std::string path;
    std::string text;
    size_t at;
    bool open;
  };
  std::vector<OpenScript> open_scripts_;
};

}  // namespace vp
