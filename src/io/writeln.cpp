// write and writeln: one argument per pass, to standard output or the text file.
// Each argument is first scanned (which depends on the line's text alone) and then
// written (which depends on the routing and the values as they stand), so a line
// read again can keep its scanned arguments and only write them.
#include "vp/handlers.hpp"

namespace vp {

namespace {

using Argument = WritePlan::Argument;

// A failed write (a full disk) is told once and drops the file's later writes.
void file_text(Interpreter& it, const char* s) {
  if (it.file.stream != nullptr && fputs(s, it.file.stream) == EOF) text_file_failed(it);
}

void file_bytes(Interpreter& it, const char* s, int count) {
  if (it.file.stream != nullptr && count > 0 &&
      fwrite(s, 1, static_cast<size_t>(count), it.file.stream) != static_cast<size_t>(count))
    text_file_failed(it);
}

void file_char(Interpreter& it, char c) {
  if (it.file.stream != nullptr && fputc(c, it.file.stream) == EOF) text_file_failed(it);
}

void blanks(Interpreter& it, int count) {
  static constexpr char kBlanks[] =
      "                                                                ";
  constexpr int kChunk = static_cast<int>(sizeof(kBlanks)) - 1;
  for (; count > kChunk; count -= kChunk) out_bytes(it, kBlanks, kChunk);
  if (count > 0) out_bytes(it, kBlanks, static_cast<size_t>(count));
}

// A quoted text: its characters run from column + 1 to the closing quote. Returns
// the scan position after it; another argument follows when that is a ','.
int scan_quoted(const LineView& line, int column, Argument& a, bool* further) {
  a.quoted = true;
  a.start = static_cast<short>(column + 1);
  int p = skip_to(line, column + 1, "'", Until::text_end).at;
  a.length = static_cast<short>(p - (column + 1));
  if (line[p] == '\0') {
    a.unclosed = true;
    *further = false;
    return p;
  }
  ++p;
  *further = line[p] == ',';
  return p;
}

// A variable argument, with or without a field width. The traces of the scan are
// printed here, in the order the scan meets what they show.
int scan_variable(Interpreter& it, const LineView& line, int column, Argument& a, bool* further) {
  Text<kNameSize> name;
  int p = scan_to(line, column, ":),", Until::text_end, name).at;
  trace(it, "**[writeln] variable name: '%s'\n", name.c_str());

  const char d = line[p];
  *further = false;
  if (d == ':') {
    a.width = true;
    if (line[p + 1] == ',' || line[p + 2] == ',' || line[p + 3] == ',') *further = true;
  }
  if (d == ',') *further = true;
  trace(it, "**[writeln] let's take a look at what we have so far \n");
  trace(it, "**[writeln] %s \n", it.line);

  if (d == ',' && line[p + 1] == ' ') ++p;
  if (d != '\0') ++p;

  if (a.width) {
    p = scan_width(line, p, &a.format_size);
    trace(it, "**[writeln] format_size ='%d' \n", a.format_size);
  }

  a.slot = static_cast<short>(lookup_variable(it, name.c_str()));
  if (a.slot >= 0) {
    trace(it, "**[writeln] - Var name '%s' \n", name.c_str());
    trace(it, "**[writeln] - Var type '%c' \n", static_cast<char>(it.vars.types[a.slot]));
    trace(it, "**[writeln] - content length '%d'\n",
          static_cast<int>(strlen(it.vars.values[a.slot])));
  }
  return p;
}

// Scans the argument that begins at column; returns the position after it.
int scan_argument(Interpreter& it, const LineView& line, int column, Argument& a, bool* further) {
  a = {};
  a.slot = -1;
  if (line[column] == '\'') return scan_quoted(line, column, a, further);
  return scan_variable(it, line, column, a, further);
}

void write_quoted(Interpreter& it, const char* line, const Argument& a) {
  const char* text = line + a.start;
  if (!it.file.routed && !it.file.opened) out_bytes(it, text, static_cast<size_t>(a.length));
  if (it.file.routed && it.file.opened) file_bytes(it, text, a.length);
  if (a.unclosed) out_text(it, "Pascal Error - Parse error with writeln\n");
}

void write_variable(Interpreter& it, const Argument& a) {
  if (a.slot < 0) return;  // nothing to write for a name no slot holds
  const VarType type = it.vars.types[a.slot];
  const char* value = it.vars.values[a.slot];
  const int length = static_cast<int>(strlen(value));
  if (type != VarType::text && !a.width && !it.file.routed && !it.tracing) {
    out_bytes(it, value, static_cast<size_t>(length));  // the common case, in short
    return;
  }

  if (!a.width && type != VarType::text && !it.file.routed)
    out_bytes(it, value, static_cast<size_t>(length));
  if (it.file.routed && it.file.opened && type != VarType::text) {
    const char* unpadded = value;
    while (*unpadded == ' ') ++unpadded;
    file_text(it, unpadded);
    trace(it, "**[writeln] FILE: attempt to write to file made with \n");
    trace(it, "**[writeln] FILE: '%s' \n", value);
  }
  // Counted in 64 bits: a width saturated at the 32-bit minimum must not wrap.
  if (type != VarType::text)
    trace(it, "**[writeln] num of spaces needed %lld \n",
          static_cast<long long>(a.format_size) - length);
  if (a.width && type != VarType::text && !it.file.routed) {
    if (a.format_size >= length) blanks(it, a.format_size - length);
    out_bytes(it, value, static_cast<size_t>(length));
    trace(it, "\n ");
  }
  if (type == VarType::text) {
    it.file.routed = true;
  }
}

void write_argument(Interpreter& it, const char* line, const Argument& a) {
  if (a.quoted)
    write_quoted(it, line, a);
  else
    write_variable(it, a);
}

constexpr int kPlanArguments = static_cast<int>(sizeof(WritePlan::arguments) / sizeof(Argument));

}  // namespace

void pascal_writeln(Interpreter& it, int column) {
  WritePlan* plan = line_plan(it, &LinePlans::write, it.line);
  if (plan_stands(plan, column)) {
    for (int i = 0; i < plan->count; ++i) write_argument(it, it.line, plan->arguments[i]);
    if (it.file.opened && plan->file_newline) file_char(it, '\n');
    return;
  }

  const int first_column = column;
  const LineView line(it.line);
  WritePlan learned = {};
  learned.count = 0;
  for (;;) {
    bool further = false;
    Argument a;
    column = scan_argument(it, line, column, a, &further);
    write_argument(it, it.line, a);
    if (learned.count < kPlanArguments) learned.arguments[learned.count] = a;
    ++learned.count;
    if (!further) break;
  }
  const bool file_newline = contains(it.line, " writeln");
  if (it.file.opened && file_newline) file_char(it, '\n');

  if (plan != nullptr) {
    // A statement with more arguments than a plan holds is scanned afresh each time.
    learned.status = learned.count <= kPlanArguments ? PlanStatus::ready : PlanStatus::refused;
    learned.file_newline = file_newline;
    learned.column = first_column;
    *plan = learned;
  }
}

}  // namespace vp
