// The var, const and label sections before "begin".
#include "vp/handlers.hpp"

namespace vp {

namespace {

bool starts_with(const char* line, const char* prefix) {
  return strncmp(line, prefix, strlen(prefix)) == 0;
}

// Where a declaration's name starts. Each test that holds overrides the ones before,
// so the outcome is the column just past "var " or "const ", or the first non-blank of
// a continuation line. -1 when no test holds.
int name_column(const char* line) {
  int col = -1;
  if (starts_with(line, "   ")) col = 3;
  if (contains(line, "var ")) col = 4;
  if (starts_with(line, "    ")) col = 4;
  if (contains(line, " var ")) col = 5;
  if (starts_with(line, "     ")) col = 5;
  if (contains(line, "  var ")) col = 6;
  if (contains(line, "   var ")) col = 7;
  if (contains(line, "    var ")) col = 8;
  if (contains(line, "     var ")) col = 9;
  if (contains(line, "const ")) col = 6;
  if (contains(line, " const ")) col = 7;
  if (contains(line, "  const ")) col = 8;
  if (contains(line, "   const ")) col = 9;
  return col;
}

bool ends_word(char c) {
  return c == ' ' || c == '\0' || c == '\n' || c == '\r';
}

struct TypeWord {
  VarType type;
  const char* trace;
};

constexpr TypeWord kTypes[] = {
    {VarType::string, "**[VAR] Found 'string' var. vtype= %d \n"},
    {VarType::text, "**[VAR] Found 'text' var. vtype= %d : %d \n"},
    {VarType::character, "**[VAR] Found 'char' var. vtype= %d : %d \n"},
    {VarType::integer, "**[VAR] Found 'integer' var. vtype= %d : %d \n"},
    {VarType::real, "**[VAR] Found 'real' var. vtype= %d : %d \n"},
    {VarType::hex, "**[VAR] Found 'hex' var. vtype= %d : %d \n"},
};

}  // namespace

void pascal_var(Interpreter& it, bool constant) {
  // The trace and the messages tell the two kinds by number, 0 and 1.
  const int vtype = constant ? 1 : 0;
  it.block = constant ? Block::constant : Block::var;
  const LineView line(it.line);
  int col = name_column(it.line);
  // No place for a name (a bare "const" line, a name starting with a blank): nothing
  // to declare.
  if (col < 0 || ends_word(line[col])) return;
  const int n = it.vars.count;
  if (n >= kMaxDeclarations) {
    out_text(it, "Pascal Error - Variable table full\n");
    return;
  }

  int p = col;
  Text<kNameSize> name;
  while (!ends_word(line[p])) name.push(line[p++]);
  copy_cut(it.vars.names[n], kNameSize, name.c_str());
  trace(it, "**[VAR] Look at allocation: '%s'\n", it.vars.names[n]);

  ++p;  // past the blank after the name
  if (vtype == 0 && line[p] != ':') out_text(it, "Pascal Error - Expecting ':' with var\n");
  if (vtype == 1 && line[p] != '=') out_text(it, "Pascal Error - Expecting '=' with var\n");

  const char letter = line[p + 2];
  for (const TypeWord& t : kTypes) {
    if (static_cast<char>(t.type) != letter) continue;
    it.vars.types[n] = t.type;
    it.vars.constant[n] = constant;
    if (t.type == VarType::string)
      trace(it, t.trace, vtype);
    else
      trace(it, t.trace, vtype, vtype);
    break;
  }
  p += 2;

  const bool has_equals = contains(it.line, " = ");
  if (vtype == 1 && has_equals) {
    trace(it, "**[VAR] Marked constant %d and we have an '=' \n", vtype);
    Text<kValueSize> value;
    if (line[p] != '\0') value.push(line[p++]);
    while (line[p] != ';' && !ends_word(line[p])) value.push(line[p++]);
    copy_cut(it.vars.values[n], kValueSize, value.c_str());
    it.vars.constant[n] = true;
    trace(it, "**[VAR] Constant has a set value \n");
  }
  if (it.vars.constant[n] && !has_equals) out_text(it, "Pascal Error: Constant value not set \n");
  ++it.vars.count;
}

void pascal_label(Interpreter& it) {
  it.block = Block::label;
  if (it.labels.count >= kSlots) return;  // the table is full; nothing reads it
  const LineView line(it.line);
  char* label = it.labels.names[it.labels.count];
  Text<kNameSize> name;
  name.assign(label);
  for (int p = 4; !ends_word(line[p]); ++p) name.push(line[p]);
  copy_cut(label, kNameSize, name.c_str());
  trace(it, "**[label] label name '%s' found \n", label);
  ++it.labels.count;
}

}  // namespace vp
