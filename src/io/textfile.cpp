// rewrite, append and closefile: the one output text file a script can write to.
#include <cerrno>

#include "vp/handlers.hpp"
#include "vp/warnings.hpp"

namespace vp {

void close_text_file(Interpreter& it) {
  if (it.textFilePointer == nullptr) return;
  const bool failed = fclose(it.textFilePointer) != 0;
  it.textFilePointer = nullptr;
  if (failed) tell_text_file_failure(it);
}

// Told once per file: the stream is closed, and later writes to it are dropped.
void text_file_failed(Interpreter& it) {
  if (it.textFilePointer == nullptr) return;
  fclose(it.textFilePointer);
  it.textFilePointer = nullptr;
  tell_text_file_failure(it);
}

void tell_text_file_failure(Interpreter& it) {
  out_format(it, "Pascal Error: cannot write file '%s'\n", it.text_file_name);
  it.write_failed = true;
}

void pascal_rewrite(Interpreter& it, int column) {
  it.file_write = 1;  // set before parsing, so even a broken statement sets it
  const LineView line(it.stread);

  Text<kNameSize> name;
  int p = column;
  while (line[p] != ',' && line[p] != '\0') name.push(line[p++]);
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
  it.textFilePointer = it.host.open_append(file_name.c_str());
  if (it.textFilePointer == nullptr) {
    const int error = errno;
    out_format(it, "Pascal Error: cannot open file '%s'\n", file_name.c_str());
    warn(it, "cannot open file '%s': %s", file_name.c_str(), strerror(error));
    return;
  }
  copy_cut(it.text_file_name, kValueSize, file_name.c_str());
}

void v_pascal_closefile(Interpreter& it) {
  it.file_in_use = 0;
  it.file_write = 0;
  it.file_read = 0;
  close_text_file(it);
}

}  // namespace vp
