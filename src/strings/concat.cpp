// The two ways a string variable is joined from quoted texts and other variables:
// concat(first,second) and part + part + ... .
#include "vp/handlers.hpp"

namespace vp {

namespace {

constexpr int kFirstSize = 128;  // concat's first argument: 127 characters
constexpr int kPartSize = 255;   // a part of the '+' form: 254 characters

// Copies a quoted text that starts at open + 1 up to the closing quote (or, for the
// '+' form, a ';' too). Returns the index of the character that ended it, the line
// end when there was none. Empty quotes give the empty text.
template <int N>
int copy_quoted(const LineView& line, int open, bool semicolon_ends, Text<N>& out) {
  int p = open + 1;
  while (line[p] != '\'' && line[p] != '\0' && !(semicolon_ends && line[p] == ';'))
    out.push(line[p++]);
  return p;
}

// One argument of concat: quoted, or the name of a variable up to end_mark. p stands
// on the character before the argument and is left on the character after it.
template <int N>
void concat_argument(Interpreter& it, const LineView& line, int& p, char end_mark, Text<N>& value) {
  if (line[p + 1] == '\'') {
    p = copy_quoted(line, p + 1, false, value);
    if (line[p] == '\0') {
      out_text(it, "Pascal Error - Parse error with concat\n");
      return;
    }
    ++p;  // past the closing quote
    return;
  }
  Text<kNameSize> tempstr;
  ++p;
  while (line[p] != end_mark && line[p] != '\0') tempstr.push(line[p++]);
  const int slot = find_variable(it, tempstr.c_str());
  // A name no slot holds contributes nothing.
  if (slot >= 0) value.assign(it.value_of_variables[slot]);
  trace(it, "**[concat]tempstr ='%s'\n", tempstr.c_str());
}

}  // namespace

void pascal_concat(Interpreter& it, const char* text, char* result) {
  result[0] = '\0';
  const LineView line(text);
  int p = line.find('(', 1);
  if (p < 0) return;

  Text<kFirstSize> value_a;
  concat_argument(it, line, p, ',', value_a);
  trace(it, "**[concat]value of value_a = '%s'\n", value_a.c_str());
  trace(it, "**[concat]value of check command[loop]='%c'\n", line[p]);

  Text<kValueSize> value_b;
  concat_argument(it, line, p, ')', value_b);
  trace(it, "**[concat]value of value_b = '%s'\n", value_b.c_str());

  copy_cut(result, kValueSize, value_a.c_str());
  append_cut(result, kValueSize, value_b.c_str());
}

void concat_set(Interpreter& it, const char* text, char* result) {
  result[0] = '\0';
  const LineView line(text);
  const int equals = line.find('=', 1);
  if (equals < 0) return;

  int p = equals + 1;
  do {
    Text<kPartSize> part;
    Text<kPartSize> value;
    if (line[p + 1] == '\'') {
      // p is left on the closing quote, so the text from there to the next '+' is
      // read as a part of its own, which normally names nothing.
      p = copy_quoted(line, p + 1, true, part);
      value.assign(part.c_str());
      trace(it, "**[concat_set]value set from quote '%s'\n", value.c_str());
    } else {
      if (line[p] != '\0') part.push(line[p++]);
      while (line[p] != '+' && line[p] != ';' && line[p] != '\0') part.push(line[p++]);
      for (int slot = 0; slot < kSlots; ++slot) {
        const char* name = it.variable_names[slot];
        if (name[0] == '\0' || !contains(part.c_str(), name)) continue;
        value.assign(it.value_of_variables[slot]);
        trace(it, "**[Concat_Set]var '%s' found.\n", part.c_str());
        trace(it, "**[concat_set]value set from variable '%s'\n", value.c_str());
      }
    }
    if (line[p] == '+') ++p;
    append_cut(result, kValueSize, value.c_str());
  } while (line[p] != ';' && line[p] != '\0');
}

}  // namespace vp
