// rewrite, append and closefile: the one output text file a script can write to.
#include <cerrno>

#include "vp/handlers.hpp"
#include "vp/warnings.hpp"

namespace vp {

void close_text_file(Interpreter& it) {
  if (it.file.stream == nullptr) return;
  const bool failed = fclose(it.file.stream) != 0;
  it.file.stream = nullptr;
  if (failed) tell_text_file_failure(it);
}

// Told once per file: the stream is closed, and later writes to it are dropped.
void text_file_failed(Interpreter& it) {
  if (it.file.stream == nullptr) return;
  fclose(it.file.stream);
  it.file.stream = nullptr;
  tell_text_file_failure(it);
}

void tell_text_file_failure(Interpreter& it) {
  out_format(it, "Pascal Error: cannot write file '%s'\n", it.file.name);
  it.write_failed = true;
}

void pascal_rewrite(Interpreter& it, int column) {
  it.file.opened = true;  // set before parsing, so even a broken statement sets it
  const LineView line(it.line);

  Text<kNameSize> name;
  int p = scan_to(line, column, ",", Until::text_end, name).at;
  const int slot = lookup_variable(it, name.c_str());

  p += 2;  // the ',' and the opening quote
  Text<kValueSize> file_name;
  for (;;) {
    const char c = line[p++];
    if (c == '\0') {
      out_text(it, "Pascal Error: Parse error with rewrite\n");
      file_name.pop();  // the line end
      break;
    }
    if (c == '\'') break;
    file_name.push(c);
  }
  if (slot >= 0) set_value(it, slot, file_name.c_str());

  // Only one stream at a time: closing the last one flushes it before the new one
  // starts, and keeps a loop from running out of descriptors.
  close_text_file(it);
  it.file.stream = it.host.open_append(file_name.c_str());
  if (it.file.stream == nullptr) {
    const int error = errno;
    out_format(it, "Pascal Error: cannot open file '%s'\n", file_name.c_str());
    warn(it, "cannot open file '%s': %s", file_name.c_str(), strerror(error));
    return;
  }
  copy_cut(it.file.name, kValueSize, file_name.c_str());
}

void v_pascal_closefile(Interpreter& it) {
  it.file.routed = false;
  it.file.opened = false;
  close_text_file(it);
}

}  // namespace vp
