// write and writeln: one argument per pass, to standard output or the text file.
#include "vp/handlers.hpp"

namespace vp {

namespace {

void file_text(Interpreter& it, const char* s) {
  if (it.textFilePointer != nullptr) fputs(s, it.textFilePointer);
}

void file_char(Interpreter& it, char c) {
  if (it.textFilePointer != nullptr) fputc(c, it.textFilePointer);
}

void blanks(Interpreter& it, int count) {
  for (int i = 0; i < count; ++i) out_char(it, ' ');
}

// A field wider than this is not a field anyone means; it is cut so that a typo
// cannot print a gigabyte of blanks.
constexpr int kMaxWidth = 4096;

// A quoted text: returns the scan position after it and whether another argument
// follows.
int quoted(Interpreter& it, const LineView& line, int column, bool* further) {
  const bool to_out = it.file_in_use == 0 && it.file_write == 0;
  const bool to_file = it.file_in_use == 1 && it.file_write == 1;
  int p = column + 1;
  for (;;) {
    const char c = line[p];
    if (c == '\0') {
      out_text(it, "Pascal Error - Parse error with writeln\n");
      *further = false;
      return p;
    }
    ++p;
    if (c == '\'') break;
    if (to_out) out_char(it, c);
    if (to_file) file_char(it, c);
  }
  *further = line[p] == ',';
  return p;
}

// A variable argument, with or without a field width.
int variable(Interpreter& it, const LineView& line, int column, bool* further) {
  Text<kNameSize> name;
  int p = column;
  while (line[p] != ':' && line[p] != ')' && line[p] != ',' && line[p] != '\0')
    name.push(line[p++]);
  trace(it, "**[writeln] variable name: '%s'\n", name.c_str());

  const char d = line[p];
  bool width = false;
  *further = false;
  if (d == ':') {
    width = true;
    if (line[p + 1] == ',' || line[p + 2] == ',' || line[p + 3] == ',') *further = true;
  }
  if (d == ',') *further = true;
  trace(it, "**[writeln] let's take a look at what we have so far \n");
  trace(it, "**[writeln] %s \n", it.stread);

  if (d == ',' && line[p + 1] == ' ') ++p;
  if (d != '\0') ++p;

  int format_size = 0;
  if (width) {
    Text<kNameSize> digits;
    do {
      if (line[p] == '\0') break;
      digits.push(line[p++]);
    } while (line[p] != ')' && line[p] != ',' && line[p] != '\0');
    format_size = to_int(digits.c_str());
    if (format_size > kMaxWidth) format_size = kMaxWidth;
    trace(it, "**[writeln] format_size ='%d' \n", format_size);
  }

  const int slot = find_variable(it, name.c_str());
  if (slot < 0) return p;  // nothing to write for a name no slot holds
  const char type = it.variable_type[slot];
  const char* value = it.value_of_variables[slot];
  const int length = static_cast<int>(strlen(value));
  trace(it, "**[writeln] - Var name '%s' \n", name.c_str());
  trace(it, "**[writeln] - Var type '%c' \n", type);
  trace(it, "**[writeln] - content length '%d'\n", length);

  if (!width && type != 't' && it.file_in_use != 1) out_text(it, value);
  if (it.file_in_use == 1 && it.file_write == 1 && type != 't') {
    const char* unpadded = value;
    while (*unpadded == ' ') ++unpadded;
    file_text(it, unpadded);
    trace(it, "**[writeln] FILE: attempt to write to file made with \n");
    trace(it, "**[writeln] FILE: '%s' \n", value);
  }
  // Counted in 64 bits: a width saturated at the 32-bit minimum must not wrap.
  if (type != 't')
    trace(it, "**[writeln] num of spaces needed %lld \n",
          static_cast<long long>(format_size) - length);
  if (width && type != 't' && it.file_in_use != 1) {
    if (format_size >= length) blanks(it, format_size - length);
    out_text(it, value);
    trace(it, "\n ");
  }
  if (type == 't') {
    copy_cut(it.open_file, kValueSize, value);
    it.file_in_use = 1;
  }
  return p;
}

}  // namespace

void pascal_writeln(Interpreter& it, int column) {
  const LineView line(it.stread);
  for (;;) {
    bool further = false;
    if (line[column] == '\'')
      column = quoted(it, line, column, &further);
    else
      column = variable(it, line, column, &further);
    if (!further) break;
  }
  if (it.file_write == 1 && contains(it.stread, " writeln")) file_char(it, '\n');
}

}  // namespace vp
