// if: one comparison between a variable and a literal governs the next line, or the
// block the next line begins. A false condition consumes what it governs.
#include "condition.hpp"
#include "vp/handlers.hpp"
#include "vp/numbers.hpp"

namespace vp {

namespace {

// The skipped statement line reads as a blank line for the rest of the driver's tests.
void blank_out(Interpreter& it) {
  memset(it.line, ' ', 17);
  it.line[17] = '\0';
}

}  // namespace

namespace {

// Scans the condition from column and evaluates it; what the scan found goes into
// plan, when there is one to fill.
bool scan_condition(Interpreter& it, int column, IfPlan* plan) {
  using namespace condition;
  const LineView line(it.line);

  Text<kNameSize> name;
  int p = scan_name(line, column, name) + 1;
  trace(it, "**[if] variable name: '%s'\n", name.c_str());

  const int code = scan_operator(line, p);
  trace(it, "**[if] operation = %d\n", code);

  const int slot = lookup_variable(it, name.c_str());
  const VarType type = slot < 0 ? VarType::none : it.vars.types[slot];
  Text<kValueSize> operand;
  int operand_start = p;
  if (type == VarType::integer || type == VarType::real || type == VarType::hex ||
      type == VarType::text)
    scan_bare(line, p, ' ', operand);
  else if (type == VarType::string)
    operand_start = scan_quoted(line, p, operand);
  trace(it, "**[if] value : '%s'\n", operand.c_str());

  if (plan != nullptr) {
    *plan = {};
    plan->status = PlanStatus::ready;
    plan->column = column;
    plan->slot = slot;
    plan->code = code;
    plan->number = to_int(operand.c_str());
    plan->real = to_real(operand.c_str());
    plan->start = static_cast<short>(operand_start);
    plan->length = static_cast<short>(operand.size());
  }

  if (slot < 0) return false;
  const char* value = it.vars.values[slot];
  if (type == VarType::string) return compare_text(code, value, operand.c_str());
  if (type == VarType::integer)
    return compare_numbers(code, to_int(value), to_int(operand.c_str()));
  if (type == VarType::real) return compare_numbers(code, to_real(value), to_real(operand.c_str()));
  return false;
}

// The same condition on a line read again: only the variable's value is read anew.
bool planned_condition(const Interpreter& it, const IfPlan& plan) {
  using namespace condition;
  if (plan.slot < 0) return false;
  const VarType type = it.vars.types[plan.slot];
  const char* value = it.vars.values[plan.slot];
  if (type == VarType::integer) return compare_numbers(plan.code, to_int(value), plan.number);
  if (type == VarType::real) return compare_numbers(plan.code, to_real(value), plan.real);
  if (type == VarType::string) {
    Text<kValueSize> operand;
    operand.assign(it.line + plan.start, plan.length);
    return compare_text(plan.code, value, operand.c_str());
  }
  return false;
}

}  // namespace

void pascal_if(Interpreter& it, int column) {
  IfPlan* plan = line_plan(it, &LinePlans::condition, it.line);
  const bool holds =
      plan_stands(plan, column) ? planned_condition(it, *plan) : scan_condition(it, column, plan);
  if (!holds) pascal_if_subthread(it);
}

void pascal_if_subthread(Interpreter& it) {
  // At the end of the script nothing more is governed; the blank line keeps the
  // driver from running anything further on this pass.
  if (!read_script_line(it)) {
    blank_out(it);
    return;
  }
  if (!contains(it.line, "  begin")) {
    blank_out(it);
    return;
  }
  // No nesting count: the first "  end;" closes the skipped block.
  while (!contains(it.line, "  end;")) {
    if (!read_script_line(it)) {
      blank_out(it);
      return;
    }
  }
}

}  // namespace vp
