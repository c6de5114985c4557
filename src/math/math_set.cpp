// Arithmetic on the right-hand side of an assignment: operands and one-character
// operators taken strictly left to right, no precedence, single precision.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "vp/handlers.hpp"
#include "vp/math.hpp"
#include "vp/numbers.hpp"

namespace vp {

namespace {

constexpr int kOperandSize = 25;  // 24 characters and the terminator
constexpr int kValues = 9;
constexpr int kPositions = 8;

// Characters that end an operand, and those of them that are operators, by byte.
struct CharTable {
  bool ends_operand[256];
  bool is_operator[256];
};

constexpr CharTable make_char_table() {
  CharTable t = {};
  for (const char c : {'+', '-', '*', '^', '/', '%', '#', '~'}) {
    t.ends_operand[static_cast<unsigned char>(c)] = true;
    t.is_operator[static_cast<unsigned char>(c)] = true;
  }
  t.ends_operand[static_cast<unsigned char>(';')] = true;
  t.ends_operand[0] = true;
  return t;
}

constexpr CharTable kChars = make_char_table();

bool only_blanks(const char* text, int count) {
  for (int i = 0; i < count; ++i)
    if (text[i] != ' ') return false;
  return true;
}

// Replaces the operand by the value of every slot whose name occurs in it, in slot
// order, each test seeing the text as the previous replacement left it.
// Returns the first slot whose name was found, or -1. With the name index, from is
// the place in NameIndex::named to begin at.
int substitute(Interpreter& it, Text<kOperandSize>& operand, int from = 0) {
  int first = -1;
  for_each_name_in(
      it, operand.c_str(),
      [&](int slot) {
        if (first < 0) first = slot;
        trace(it, "**[math_set] found variable NAME '%s' \n", operand.c_str());
        operand.assign(it.vars.values[slot]);
        trace(it, "****[math_set] found variable value '%s' \n", operand.c_str());
      },
      from);
  return first;
}

float remainder_of(float a, float b) {
  const int x = to_int_sat(a);
  const int y = to_int_sat(b);
  if (y == 0) return std::nanf("");  // no whole-number remainder by zero
  if (y == -1) return 0.0f;          // also keeps INT_MIN % -1 from trapping
  return static_cast<float>(x % y);
}

float first_operation(Interpreter& it, char op, float a, float b) {
  float r = a;  // a line with no operator between '=' and ';' yields its one operand
  switch (op) {
    case '+':
      r = a + b;
      trace(it, "**[math set] (EQU) %fl + %fl = %fl\n", a, b, r);
      break;
    case '-':
      r = a - b;
      break;
    case '*':
      r = a * b;
      trace(it, "**[math set] (EQU) %fl * %fl = %fl\n", a, b, r);
      break;
    case '/':
      r = a / b;
      break;
    case '^':
      r = static_cast<float>(std::pow(static_cast<double>(a), static_cast<double>(b)));
      break;
    case '%':
      r = remainder_of(a, b);
      break;
    case '#':
      r = static_cast<float>(std::sqrt(static_cast<double>(a)));
      break;
    case '~':
      r = static_cast<float>(round_half_away(a));
      break;
    default:
      break;
  }
  return r;
}

// After the first operator only the four arithmetic operators and the power act;
// '%', '#' and '~' there use up their value and leave the result as it was.
float later_operation(char op, float r, float v) {
  switch (op) {
    case '+':
      return r + v;
    case '-':
      return r - v;
    case '*':
      return r * v;
    case '/':
      return r / v;
    case '^':
      return static_cast<float>(std::pow(static_cast<double>(r), static_cast<double>(v)));
    default:
      return r;
  }
}

}  // namespace

double round_half_away(double v) {
  const double d = v < 0 ? v - 0.5 : v + 0.5;
  // Beyond the 32-bit range a single-precision number is whole already, and
  // infinities and NaN have nothing to round: they pass unchanged.
  if (!(d > -2147483649.0 && d < 2147483648.0)) return v;
  return static_cast<double>(static_cast<int>(d));
}

namespace {

// Combines the values by the operators, strictly left to right.
float combine(Interpreter& it, const float* values, const char* operators, int operator_count) {
  trace(it, "**[math_set] value #0 = '%f' operation #0 = '%c' value #1 = '%f' \n",
        static_cast<double>(values[0]), operators[0], static_cast<double>(values[1]));
  float result = first_operation(it, operators[0], values[0], values[1]);
  trace(it, "**[math_set] sub value = '%f' \n", static_cast<double>(result));
  if (operator_count == 1) return result;

  for (int pos = 1; pos < kPositions; ++pos) {
    if (operators[pos] == ' ') continue;
    result = later_operation(operators[pos], result, values[pos + 1]);
    trace(it, "**[math_set] operation #%d = '%c' value #%d = '%f' \n", pos, operators[pos], pos + 1,
          static_cast<double>(values[pos + 1]));
    trace(it, "**[math_set] sub value = '%f' \n", static_cast<double>(result));
  }
  return result;
}

// Reads a whole number written as blanks, an optional sign and up to 15 digits,
// the whole text at most limit characters, as the text-to-real conversion would;
// false for any other text.
bool plain_integer(const char* text, int limit, float* out) {
  const char* p = text;
  while (*p == ' ') ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  const char* const digits = p;
  int64_t v = 0;
  while (*p >= '0' && *p <= '9' && p - digits < 16) v = v * 10 + (*p++ - '0');
  if (*p != '\0' || p == digits || p - digits > 15 || p - text > limit) return false;
  const auto d = static_cast<double>(v);
  *out = static_cast<float>(negative ? -d : d);  // "-0" is a negative zero
  return true;
}

// A line computed before: only the operands that name variables are read again,
// starting from the first name found in each, and substitution goes on from there
// on the value's text as it would have.
float evaluate(Interpreter& it, const MathPlan& plan) {
  float values[kValues] = {};
  for (int k = 0; k < plan.value_count; ++k) {
    const MathPlan::Operand& o = plan.operands[k];
    if (o.first < 0) {
      values[k] = o.constant;
      continue;
    }
    const char* value = it.vars.values[it.vars.index.named[o.first]];
    if (!it.vars.index.numeral_names) {
      // A plain number short enough to be an operand whole names nothing, so it is
      // read as it stands.
      if (plain_integer(value, kOperandSize - 1, &values[k])) continue;
      int n = 0;
      while (n < kOperandSize - 1 && numeral_char(value[n])) ++n;
      if (value[n] == '\0') {
        values[k] = static_cast<float>(to_real(value));
        continue;
      }
    }
    Text<kOperandSize> operand;
    operand.assign(value);
    substitute(it, operand, o.first + 1);
    values[k] = static_cast<float>(to_real(operand.c_str()));
  }
  return combine(it, values, plan.operators, plan.operator_count);
}

// Where the operand that starts at start ends: at the first character that ends an
// operand, the first character itself aside (it belongs to the operand whatever it
// is).
int operand_end(const char* line, int start) {
  int p = start;
  if (line[p] != '\0') ++p;
  for (;;) {
    const auto c = static_cast<unsigned char>(line[p]);
    if (!kChars.ends_operand[c]) {
      ++p;
      continue;
    }
    // A minus that starts an operand (only blanks before it, a digit or a point
    // after it) is the number's sign, not an operator: 2 * -3 is -6. The operand
    // keeps its first 24 characters, and only those are looked at.
    if (c == '-' && ((line[p + 1] >= '0' && line[p + 1] <= '9') || line[p + 1] == '.') &&
        only_blanks(line + start, std::min(p - start, kOperandSize - 1)))
      ++p;
    else
      return p;
  }
}

}  // namespace

float math_set(Interpreter& it, const char* text) {
  trace(it, "**[Math_set] Enter module \n");
  // A line of the script seen before, with the names settled: its plan spares the
  // split (the line held its ';' and '=' then, and holds the same text now).
  MathPlan* plan = line_plan(it, &LinePlans::math, text);
  if (plan_stands(plan, 0)) return evaluate(it, *plan);
  if (strchr(text, ';') == nullptr) {
    out_format(it, "Pascal Error: parse error: %s \n", text);
    end_process(it, 1);
  }
  // Every scan below stops at the line's terminator, so the text is read directly.
  const char* const line = text;
  const char* const first_equals = line[0] == '\0' ? nullptr : strchr(line + 1, '=');
  if (first_equals == nullptr) return 0.0f;  // nothing to compute
  const int equals = static_cast<int>(first_equals - line);

  MathPlan learned = {};

  float values[kValues] = {};
  char operators[kPositions];
  memset(operators, ' ', sizeof(operators));
  int operator_count = 0;
  int value_count = 0;

  int p = equals + 1;
  Text<kOperandSize> operand;
  for (;;) {
    const int start = p;
    p = operand_end(line, start);
    operand.assign(line + start, p - start);
    trace(it, "****[math_set] found variable value '%s' \n", operand.c_str());
    const int first = substitute(it, operand);

    if (kChars.is_operator[static_cast<unsigned char>(line[p])]) {
      for (char op : {'+', '-', '/', '*', '^', '~', '%', '#'}) {
        if (line[p] != op) continue;
        // Operators past the eighth are left out of the result.
        if (operator_count < kPositions) operators[operator_count++] = op;
        ++p;
      }
    }

    const float value = static_cast<float>(to_real(operand.c_str()));
    if (value_count < kValues) {
      learned.operands[value_count] = {first < 0 ? -1 : it.vars.index.index_of[first], value};
      values[value_count++] = value;
    }
    trace(it, "**[math set] FINAL format value to '%lf' \n", static_cast<double>(value));
    if (line[p] == ';' || line[p] == '\0') break;
  }

  if (plan != nullptr) {
    learned.value_count = value_count;
    learned.operator_count = operator_count;
    memcpy(learned.operators, operators, sizeof(operators));
    learned.status = PlanStatus::ready;
    *plan = learned;
  }
  return combine(it, values, operators, operator_count);
}

}  // namespace vp
