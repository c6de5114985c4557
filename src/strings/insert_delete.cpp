// insert and delete: edit the value of a variable in place.
#include "vp/handlers.hpp"

namespace vp {

namespace {

bool line_end(char c) {
  return c == '\0' || c == '\n' || c == '\r';
}

// Collects the characters from p up to delim. Returns the index of delim, or -1 when
// the line ends first.
template <int N>
int collect(const LineView& line, int p, char delim, Text<N>& out) {
  for (; line[p] != delim; ++p) {
    if (line_end(line[p])) return -1;
    out.push(line[p]);
  }
  return p;
}

// A position or a count is written with one or two characters: the second one is
// taken unless it is the delimiter, and a third is never read.
struct Number {
  char text[3];
  int length;
  int value;
};

Number read_number(const LineView& line, int p, char delim) {
  Number n = {};
  n.text[0] = line[p];
  n.length = 1;
  if (line[p + 1] != delim) {
    n.text[1] = line[p + 1];
    n.length = 2;
  }
  n.value = to_int(n.text);
  return n;
}

}  // namespace

void pascal_insert(Interpreter& it, int column) {
  const LineView line(it.stread);
  Text<kValueSize> inserted;
  int p = column;
  if (line[p] == '\'') {
    for (++p; line[p] != '\''; ++p) {
      if (line_end(line[p])) {
        out_text(it, "Pascal Error: Parse error with writeln\n");
        return;  // an unfinished text is not inserted
      }
      inserted.push(line[p]);
    }
    trace(it, "**[insert] insert string = '%s'\n", inserted.c_str());
    ++p;  // on the comma after the closing quote
  } else {
    Text<kNameSize> source;
    p = collect(line, p, ',', source);
    trace(it, "**(insert) variable name: '%s'\n", source.c_str());
    if (p < 0) return;
    const int slot = lookup_variable(it, source.c_str());
    if (slot < 0) return;
    inserted.assign(it.value_of_variables[slot]);
    trace(it, "**(insert) insert string = '%s'\n", inserted.c_str());
  }

  Text<kNameSize> target;
  p = collect(line, p + 1, ',', target);
  trace(it, "**(insert) variable name: '%s'\n", target.c_str());
  if (p < 0) return;
  const int slot = lookup_variable(it, target.c_str());
  if (slot < 0) return;

  const Number at = read_number(line, p + 1, ')');
  trace(it, "**(insert) column insert at %d\n", at.value);
  const char* value = it.value_of_variables[slot];
  const int length = static_cast<int>(strlen(value));
  // Before the first character or past the last, the text goes at that end.
  int index = at.value - 1;
  if (index < 0) index = 0;
  if (index > length) index = length;
  trace(it, "**(insert) string being moved: '%s'\n", value + index);

  Text<kValueSize> result;  // cut at the 255 characters a value holds
  for (int i = 0; i < index; ++i) result.push(value[i]);
  result.append(inserted.c_str());
  result.append(value + index);
  set_value(it, slot, result.c_str());
}

void pascal_delete(Interpreter& it, const char* text, int column) {
  const LineView line(text);
  Text<kNameSize> name;
  int p = collect(line, column, ',', name);
  trace(it, "**(delete) variable name: '%s'\n", name.c_str());
  if (p < 0) return;
  const int slot = lookup_variable(it, name.c_str());
  trace(it, "**(delete) variable memory place is %d \n", slot);
  // The built-ins above slot 249 get the message too, and are still edited.
  if (slot < 0 || slot > 249)
    out_text(it, "Pascal Error: Variable not found for delete function! \n");
  if (slot < 0) return;

  ++p;
  const Number at = read_number(line, p, ',');
  trace(it, "**(delete) column start delete at %d\n", at.value);
  p += at.length + 1;
  const Number count = read_number(line, p, ')');
  trace(it, "**(delete) count '%s' = '%d'\n", count.text, count.value);

  // A position of 0 or one that is not a number names no character: nothing goes.
  const int index = at.value - 1;
  if (index < 0) return;
  const int removed = count.value < 0 ? 0 : count.value;  // a negative count removes nothing

  char* value = it.value_of_variables[slot];
  const int length = static_cast<int>(strlen(value));
  const char* tail = index + removed < length ? value + index + removed : "";
  trace(it, "**(delete) string being moved: '%s'\n", tail);
  if (index >= length) return;
  memmove(value + index, tail, strlen(tail) + 1);
}

}  // namespace vp
