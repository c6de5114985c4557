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

DeclarationRead read_declaration(const char* text, bool constant) {
  DeclarationRead d = {};
  const LineView line(text);
  const int col = name_column(text);
  // No place for a name (a bare "const" line, a name starting with a blank): nothing
  // to declare.
  if (col < 0 || ends_word(line[col])) return d;
  d.declares = true;
  d.name_start = col;
  int p = col;
  while (!ends_word(line[p])) ++p;
  d.name_length = p - col;
  ++p;  // past the blank after the name
  d.separator_found = line[p] == (constant ? '=' : ':');
  d.type_start = p + 2;
  for (const TypeWord& t : kTypes)
    if (static_cast<char>(t.type) == line[p + 2]) d.type = t.type;
  d.has_equals = contains(text, " = ");
  if (constant && d.has_equals) {
    p += 2;
    d.value_start = p;
    if (line[p] != '\0') ++p;
    while (line[p] != ';' && !ends_word(line[p])) ++p;
    d.value_length = p - d.value_start;
  }
  return d;
}

void pascal_var(Interpreter& it, bool constant) {
  // The trace and the messages tell the two kinds by number, 0 and 1.
  const int vtype = constant ? 1 : 0;
  it.block = constant ? Block::constant : Block::var;
  const DeclarationRead d = read_declaration(it.line, constant);
  if (!d.declares) return;
  const int n = it.vars.count;
  if (n >= kMaxDeclarations) {
    out_text(it, "Pascal Error - Variable table full\n");
    return;
  }

  Text<kNameSize> name;
  name.assign(it.line + d.name_start, d.name_length);
  copy_cut(it.vars.names[n], kNameSize, name.c_str());
  trace(it, "**[VAR] Look at allocation: '%s'\n", it.vars.names[n]);

  if (!d.separator_found)
    out_text(it, constant ? "Pascal Error - Expecting '=' with var\n"
                          : "Pascal Error - Expecting ':' with var\n");

  for (const TypeWord& t : kTypes) {
    if (t.type != d.type) continue;
    it.vars.types[n] = t.type;
    it.vars.constant[n] = constant;
    if (t.type == VarType::string)
      trace(it, t.trace, vtype);
    else
      trace(it, t.trace, vtype, vtype);
    break;
  }

  if (constant && d.has_equals) {
    trace(it, "**[VAR] Marked constant %d and we have an '=' \n", vtype);
    Text<kValueSize> value;
    value.assign(it.line + d.value_start, d.value_length);
    copy_cut(it.vars.values[n], kValueSize, value.c_str());
    it.vars.constant[n] = true;
    trace(it, "**[VAR] Constant has a set value \n");
  }
  if (it.vars.constant[n] && !d.has_equals) out_text(it, "Pascal Error: Constant value not set \n");
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
