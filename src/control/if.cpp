// if: one comparison between a variable and a literal governs the next line, or the
// block the next line begins. A false condition consumes what it governs.
#include "condition.hpp"
#include "vp/handlers.hpp"
#include "vp/numbers.hpp"

namespace vp {

namespace {

// The skipped statement line reads as a blank line for the rest of the driver's tests.
void blank_out(Interpreter& it) {
  memset(it.stread, ' ', 17);
  it.stread[17] = '\0';
}

}  // namespace

void pascal_if(Interpreter& it, int column) {
  using namespace condition;
  const LineView line(it.stread);

  Text<kNameSize> name;
  int p = scan_name(line, column, name) + 1;
  trace(it, "**[if] variable name: '%s'\n", name.c_str());

  const int code = scan_operator(line, p);
  trace(it, "**[if] operation = %d\n", code);

  const int slot = find_variable(it, name.c_str());
  const char type = slot < 0 ? '\0' : it.variable_type[slot];
  Text<kValueSize> operand;
  if (type == 'i' || type == 'r' || type == 'h' || type == 't')
    scan_bare(line, p, ' ', operand);
  else if (type == 's')
    scan_quoted(line, p, operand);
  trace(it, "**[if] value : '%s'\n", operand.c_str());

  bool holds = false;
  if (slot >= 0) {
    const char* value = it.value_of_variables[slot];
    if (type == 's') holds = compare_text(code, value, operand.c_str());
    if (type == 'i') holds = compare_numbers(code, to_int(value), to_int(operand.c_str()));
    if (type == 'r') holds = compare_numbers(code, to_real(value), to_real(operand.c_str()));
  }
  if (!holds) pascal_if_subthread(it);
}

void pascal_if_subthread(Interpreter& it) {
  // At the end of the script nothing more is governed; the blank line keeps the
  // driver from running anything further on this pass.
  if (!read_script_line(it)) {
    blank_out(it);
    return;
  }
  if (!contains(it.stread, "  begin")) {
    blank_out(it);
    return;
  }
  // No nesting count: the first "  end;" closes the skipped block.
  while (!contains(it.stread, "  end;")) {
    if (!read_script_line(it)) {
      blank_out(it);
      return;
    }
  }
}

}  // namespace vp
