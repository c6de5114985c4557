// findrp and findow: overwrite the first occurrence of a text in a variable's value.
// The two statements do the same; only their trace lines are worded differently.
#include "vp/handlers.hpp"

namespace vp {

namespace {

struct FindTraces {
  const char* name;
  const char* search;
  const char* replacement;
};

constexpr FindTraces kFindrpTraces = {
    "**(findrp) variable name: '%s'\n",
    "**(findrp) to be found: '%s'\n",
    "**[findrp] to replace with: '%s'\n",
};
constexpr FindTraces kFindowTraces = {
    "**(findow) variable name: '%s'\n",
    "**(findow)to be found: '%s'\n",
    "**[findow] to replace with: '%s'\n",
};

// Collects from p up to the first of the delimiters. Returns the index of the
// delimiter, or -1 when the line ends first.
template <int N>
int collect(const LineView& line, int p, char delim, char other_delim, Text<N>& out) {
  const Stop stop = scan_to(line, p, Stops(delim, other_delim), Until::line_end, out);
  return stop.ended ? -1 : stop.at;
}

void find_replace(Interpreter& it, int column, const FindTraces& traces) {
  const LineView line(it.line);
  Text<kNameSize> name;
  int p = collect(line, column, ',', ',', name);
  trace(it, traces.name, name.c_str());
  if (p < 0) return;  // no comma: there is nothing to search for
  const int slot = lookup_variable(it, name.c_str());

  // Past the comma and the opening quote; a search text or a replacement that the
  // line ends in before its closing quote changes nothing.
  Text<kValueSize> search;
  p = collect(line, p + 2, '\'', '\'', search);
  if (p < 0) return;
  trace(it, traces.search, search.c_str());

  // Past the closing quote, the comma and the opening quote; a comma ends the
  // replacement as well.
  Text<kValueSize> replacement;
  p = collect(line, p + 3, '\'', ',', replacement);
  if (p < 0) return;
  trace(it, traces.replacement, replacement.c_str());

  if (slot < 0) return;
  char* value = it.vars.values[slot];
  const char* found = strstr(value, search.c_str());
  if (found == nullptr) return;

  // Overwrite one for one; the value grows when the replacement runs past its end,
  // up to the 255 characters it can hold.
  const int length = static_cast<int>(strlen(value));
  int at = static_cast<int>(found - value);
  for (const char* r = replacement.c_str(); *r != '\0' && at < kValueSize - 1; ++r)
    value[at++] = *r;
  if (at > length) value[at] = '\0';
}

}  // namespace

void v_pascal_findrp(Interpreter& it, int column) {
  find_replace(it, column, kFindrpTraces);
}

void v_pascal_findow(Interpreter& it, int column) {
  find_replace(it, column, kFindowTraces);
}

}  // namespace vp
