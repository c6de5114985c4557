// insert and delete: edit the value of a variable in place.
#include "vp/handlers.hpp"

namespace vp {

namespace {

// Collects the characters from p up to delim. Returns the index of delim, or -1 when
// the line ends first.
template <int N>
int collect(const LineView& line, int p, char delim, Text<N>& out) {
  const Stop stop = scan_to(line, p, Stops(delim, delim), Until::line_end, out);
  return stop.ended ? -1 : stop.at;
}

}  // namespace

void pascal_insert(Interpreter& it, int column) {
  const LineView line(it.line);
  Text<kValueSize> inserted;
  int p = column;
  if (line[p] == '\'') {
    const Stop close = scan_to(line, p + 1, "'", Until::line_end, inserted);
    if (close.ended) {
      out_text(it, "Pascal Error: Parse error with writeln\n");
      return;  // an unfinished text is not inserted
    }
    trace(it, "**[insert] insert string = '%s'\n", inserted.c_str());
    p = close.at + 1;  // on the comma after the closing quote
  } else {
    Text<kNameSize> source;
    p = collect(line, p, ',', source);
    trace(it, "**(insert) variable name: '%s'\n", source.c_str());
    if (p < 0) return;
    const int slot = lookup_variable(it, source.c_str());
    if (slot < 0) return;
    inserted.assign(it.vars.values[slot]);
    trace(it, "**(insert) insert string = '%s'\n", inserted.c_str());
  }

  Text<kNameSize> target;
  p = collect(line, p + 1, ',', target);
  trace(it, "**(insert) variable name: '%s'\n", target.c_str());
  if (p < 0) return;
  const int slot = lookup_variable(it, target.c_str());
  if (slot < 0) return;

  const ShortNumber at = read_short_number(line, p + 1, ')');
  trace(it, "**(insert) column insert at %d\n", at.value);
  const char* value = it.vars.values[slot];
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
  // The built-ins after the first get the message too, and are still edited.
  if (slot < 0 || slot > kFirstBuiltin)
    out_text(it, "Pascal Error: Variable not found for delete function! \n");
  if (slot < 0) return;

  ++p;
  const ShortNumber at = read_short_number(line, p, ',');
  trace(it, "**(delete) column start delete at %d\n", at.value);
  p += at.length + 1;
  const ShortNumber count = read_short_number(line, p, ')');
  trace(it, "**(delete) count '%s' = '%d'\n", count.text, count.value);

  // A position of 0 or one that is not a number names no character: nothing goes.
  const int index = at.value - 1;
  if (index < 0) return;
  const int removed = count.value < 0 ? 0 : count.value;  // a negative count removes nothing

  char* value = it.vars.values[slot];
  const int length = static_cast<int>(strlen(value));
  const char* tail = index + removed < length ? value + index + removed : "";
  trace(it, "**(delete) string being moved: '%s'\n", tail);
  if (index >= length) return;
  memmove(value + index, tail, strlen(tail) + 1);
}

}  // namespace vp
