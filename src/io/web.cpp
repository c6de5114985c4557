// writewh and writewc: the content-type header and HTML-escaped text of a CGI page.
// Both write to standard output only, wherever writeln output is directed.
#include "vp/handlers.hpp"

namespace vp {

namespace {

// The characters HTML treats specially, in the order of their escape codes (1 to 6).
// A quoted text ends at its single quote, so only values can hold the last one; it
// would end a single-quoted attribute.
constexpr char kSpecial[] = " <>&\"'";

// The escape code of every byte, 0 for the bytes written as they are: one look per
// character of a page's text.
struct EscapeCodes {
  unsigned char code[256];
};
constexpr EscapeCodes make_escape_codes() {
  EscapeCodes codes = {};
  for (int i = 0; kSpecial[i] != '\0'; ++i)
    codes.code[static_cast<unsigned char>(kSpecial[i])] = static_cast<unsigned char>(i + 1);
  return codes;
}
constexpr EscapeCodes kEscapeCodes = make_escape_codes();

void out_escaped_char(Interpreter& it, char c) {
  const int code = kEscapeCodes.code[static_cast<unsigned char>(c)];
  if (code != 0)
    echo_wc(it, code);
  else
    out_char(it, c);
}

// A quoted text: returns the scan position after it and whether another argument
// follows.
int quoted(Interpreter& it, const LineView& line, int column, bool* further) {
  int p = column + 1;
  for (;;) {
    const char c = line[p];
    if (c == '\0') {
      out_text(it, "Pascal Error: Parse error with writeln\n");
      *further = false;
      return p;
    }
    ++p;
    if (c == '\'') break;
    out_escaped_char(it, c);
  }
  *further = line[p] == ',';
  return p;
}

// A variable argument, with or without a field width. Its value is escaped like
// quoted text, since it may hold what a visitor sent; the width counts the value's
// own characters and pads with plain blanks.
int variable(Interpreter& it, const LineView& line, int column, bool* further) {
  Text<kNameSize> name;
  int p = scan_to(line, column, ":),", Until::text_end, name).at;
  trace(it, "**[writecw] writeln variable name: '%s'\n", name.c_str());

  const char d = line[p];
  const bool width = d == ':';
  *further = d == ',';
  if (d != '\0') ++p;

  int format_size = 0;
  if (width) {
    p = scan_width(line, p, &format_size);
  }

  const int slot = lookup_variable(it, name.c_str());
  if (slot < 0) return p;  // nothing to write for a name no slot holds
  const char* value = it.vars.values[slot];
  if (width) {
    const int length = static_cast<int>(strlen(value));
    for (int i = length; i < format_size; ++i) out_char(it, ' ');
  }
  echo_wc_text(it, value);
  return p;
}

}  // namespace

void echo_wc(Interpreter& it, int code) {
  static constexpr const char* kEntities[] = {"",      "&nbsp;", "&lt;", "&gt;",
                                              "&amp;", "&quot;", "&#39;"};
  if (code >= 1 && code <= 6) out_text(it, kEntities[code]);
}

void echo_wc_text(Interpreter& it, const char* text) {
  for (const char* c = text; *c != '\0'; ++c) out_escaped_char(it, *c);
}

void v_pascal_writewh(Interpreter& it) {
  out_text(it, "Content-type: text/html\n\n");
}

void v_pascal_writewc(Interpreter& it, int column) {
  const LineView line(it.line);
  for (;;) {
    bool further = false;
    if (line[column] == '\'')
      column = quoted(it, line, column, &further);
    else
      column = variable(it, line, column, &further);
    if (!further) break;
  }
}

}  // namespace vp
