// rewrite, append and closefile: the one output text file a script can write to.
#include "vp/handlers.hpp"

namespace vp {

void close_text_file(Interpreter& it) {
  if (it.file.stream != nullptr) {
    fclose(it.file.stream);
    it.file.stream = nullptr;
  }
}

void pascal_rewrite(Interpreter& it, int column) {
  it.file.opened = true;  // set before parsing, so even a broken statement sets it
  const LineView line(it.line);

  Text<kNameSize> name;
  int p = scan_to(line, column, ",", Until::text_end, name).at;
  const int slot = find_variable(it, name.c_str());

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
  if (it.file.stream == nullptr)
    out_format(it, "Pascal Error: cannot open file '%s'\n", file_name.c_str());
}

void v_pascal_closefile(Interpreter& it) {
  it.file.routed = false;
  it.file.opened = false;
  close_text_file(it);
}

}  // namespace vp
