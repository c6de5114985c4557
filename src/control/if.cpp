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

namespace {

// Scans the condition from column and evaluates it; what the scan found goes into
// plan, when there is one to fill.
bool scan_condition(Interpreter& it, int column, IfPlan* plan) {
  using namespace condition;
  const LineView line(it.stread);

  Text<kNameSize> name;
  int p = scan_name(line, column, name) + 1;
  trace(it, "**[if] variable name: '%s'\n", name.c_str());

  const int code = scan_operator(line, p);
  trace(it, "**[if] operation = %d\n", code);

  const int slot = lookup_variable(it, name.c_str());
  const char type = slot < 0 ? '\0' : it.variable_type[slot];
  Text<kValueSize> operand;
  int operand_start = p;
  if (type == 'i' || type == 'r' || type == 'h' || type == 't')
    scan_bare(line, p, ' ', operand);
  else if (type == 's')
    operand_start = scan_quoted(line, p, operand);
  trace(it, "**[if] value : '%s'\n", operand.c_str());

  if (plan != nullptr) {
    *plan = {};
    plan->column = column;
    plan->slot = slot;
    plan->code = code;
    plan->number = to_int(operand.c_str());
    plan->real = to_real(operand.c_str());
    plan->start = static_cast<short>(operand_start);
    plan->length = static_cast<short>(operand.size());
    plan->ready = true;
  }

  if (slot < 0) return false;
  const char* value = it.value_of_variables[slot];
  if (type == 's') return compare_text(code, value, operand.c_str());
  if (type == 'i') return compare_numbers(code, to_int(value), to_int(operand.c_str()));
  if (type == 'r') return compare_numbers(code, to_real(value), to_real(operand.c_str()));
  return false;
}

// The same condition on a line read again: only the variable's value is read anew.
bool planned_condition(const Interpreter& it, const IfPlan& plan) {
  using namespace condition;
  if (plan.slot < 0) return false;
  const char type = it.variable_type[plan.slot];
  const char* value = it.value_of_variables[plan.slot];
  if (type == 'i') return compare_numbers(plan.code, to_int(value), plan.number);
  if (type == 'r') return compare_numbers(plan.code, to_real(value), plan.real);
  if (type == 's') {
    Text<kValueSize> operand;
    operand.assign(it.stread + plan.start, plan.length);
    return compare_text(plan.code, value, operand.c_str());
  }
  return false;
}

}  // namespace

void pascal_if(Interpreter& it, int column) {
  LineCacheEntry* entry = plan_entry(it);
  IfPlan* plan = entry == nullptr ? nullptr : &entry->condition;
  const bool holds = plan != nullptr && plan->ready && plan->column == column
                         ? planned_condition(it, *plan)
                         : scan_condition(it, column, plan);
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
