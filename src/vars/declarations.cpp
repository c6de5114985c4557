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
  char letter;
  const char* trace;
};

constexpr TypeWord kTypes[] = {
    {'s', "**[VAR] Found 'string' var. vtype= %d \n"},
    {'t', "**[VAR] Found 'text' var. vtype= %d : %d \n"},
    {'c', "**[VAR] Found 'char' var. vtype= %d : %d \n"},
    {'i', "**[VAR] Found 'integer' var. vtype= %d : %d \n"},
    {'r', "**[VAR] Found 'real' var. vtype= %d : %d \n"},
    {'h', "**[VAR] Found 'hex' var. vtype= %d : %d \n"},
};

}  // namespace

DeclarationRead read_declaration(const char* text, int vtype) {
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
  d.separator_found = line[p] == (vtype == 0 ? ':' : '=');
  d.type_start = p + 2;
  for (const TypeWord& t : kTypes)
    if (t.letter == line[p + 2]) d.type_letter = t.letter;
  d.has_equals = contains(text, " = ");
  if (vtype == 1 && d.has_equals) {
    p += 2;
    d.value_start = p;
    if (line[p] != '\0') ++p;
    while (line[p] != ';' && !ends_word(line[p])) ++p;
    d.value_length = p - d.value_start;
  }
  return d;
}

void pascal_var(Interpreter& it, int vtype) {
  it.block_type = vtype == 0 ? 1 : 2;
  const DeclarationRead d = read_declaration(it.stread, vtype);
  if (!d.declares) return;
  const int n = it.number_of_variables;
  if (n >= kMaxDeclarations) {
    out_text(it, "Pascal Error - Variable table full\n");
    return;
  }

  Text<kNameSize> name;
  name.assign(it.stread + d.name_start, d.name_length);
  copy_cut(it.variable_names[n], kNameSize, name.c_str());
  trace(it, "**[VAR] Look at allocation: '%s'\n", it.variable_names[n]);

  if (!d.separator_found)
    out_text(it, vtype == 0 ? "Pascal Error - Expecting ':' with var\n"
                            : "Pascal Error - Expecting '=' with var\n");

  for (const TypeWord& t : kTypes) {
    if (t.letter != d.type_letter) continue;
    it.variable_type[n] = t.letter;
    it.variable_cons[n] = vtype;
    if (t.letter == 's')
      trace(it, t.trace, vtype);
    else
      trace(it, t.trace, vtype, it.variable_cons[n]);
    break;
  }

  if (vtype == 1 && d.has_equals) {
    trace(it, "**[VAR] Marked constant %d and we have an '=' \n", vtype);
    Text<kValueSize> value;
    value.assign(it.stread + d.value_start, d.value_length);
    copy_cut(it.value_of_variables[n], kValueSize, value.c_str());
    it.variable_cons[n] = 1;
    trace(it, "**[VAR] Constant has a set value \n");
  }
  if (it.variable_cons[n] == 1 && !d.has_equals)
    out_text(it, "Pascal Error: Constant value not set \n");
  ++it.number_of_variables;
}

void pascal_label(Interpreter& it) {
  it.block_type = 3;
  if (it.number_of_labels >= kSlots) return;  // the table is full; nothing reads it
  const LineView line(it.stread);
  char* label = it.label_names[it.number_of_labels];
  Text<kNameSize> name;
  name.assign(label);
  for (int p = 4; !ends_word(line[p]); ++p) name.push(line[p]);
  copy_cut(label, kNameSize, name.c_str());
  trace(it, "**[label] label name '%s' found \n", label);
  ++it.number_of_labels;
}

}  // namespace vp
