// Arithmetic on the right-hand side of an assignment: operands and one-character
// operators taken strictly left to right, no precedence, single precision.
#include <cmath>

#include "vp/handlers.hpp"
#include "vp/math.hpp"

namespace vp {

namespace {

constexpr int kOperandSize = 25;  // 24 characters and the terminator
constexpr int kValues = 9;
constexpr int kPositions = 8;

bool ends_operand(char c) {
  return c == '+' || c == '-' || c == '*' || c == '^' || c == '/' || c == '%' || c == '#' ||
         c == '~' || c == ';' || c == '\0';
}

bool only_blanks(const Text<kOperandSize>& t) {
  for (int i = 0; i < t.size(); ++i)
    if (t.s[i] != ' ') return false;
  return true;
}

// Replaces the operand by the value of every slot whose name occurs in it, in slot
// order, each test seeing the text as the previous replacement left it.
void substitute(Interpreter& it, Text<kOperandSize>& operand) {
  for (int slot = 0; slot < kSlots; ++slot) {
    const char* name = it.variable_names[slot];
    if (name[0] == '\0' || !contains(operand.c_str(), name)) continue;
    trace(it, "**[math_set] found variable NAME '%s' \n", operand.c_str());
    operand.assign(it.value_of_variables[slot]);
    trace(it, "****[math_set] found variable value '%s' \n", operand.c_str());
  }
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

float math_set(Interpreter& it, const char* text) {
  trace(it, "**[Math_set] Enter module \n");
  if (strchr(text, ';') == nullptr) {
    out_format(it, "Pascal Error: parse error: %s \n", text);
    end_process(it, 1);
  }
  const LineView line(text);
  const int equals = line.find('=', 1);
  if (equals < 0) return 0.0f;  // nothing to compute

  float values[kValues] = {};
  char operators[kPositions];
  memset(operators, ' ', sizeof(operators));
  int operator_count = 0;
  int value_count = 0;

  int p = equals + 1;
  Text<kOperandSize> operand;
  for (;;) {
    operand.clear();
    // The first character belongs to the operand whatever it is.
    if (line[p] != '\0') operand.push(line[p++]);
    // A minus that starts an operand (only blanks before it, a digit or a point
    // after it) is the number's sign, not an operator: 2 * -3 is -6.
    while (!ends_operand(line[p]) ||
           (line[p] == '-' && only_blanks(operand) &&
            ((line[p + 1] >= '0' && line[p + 1] <= '9') || line[p + 1] == '.')))
      operand.push(line[p++]);
    trace(it, "****[math_set] found variable value '%s' \n", operand.c_str());
    substitute(it, operand);

    for (char op : {'+', '-', '/', '*', '^', '~', '%', '#'}) {
      if (line[p] != op) continue;
      // Operators past the eighth are left out of the result.
      if (operator_count < kPositions) operators[operator_count++] = op;
      ++p;
    }

    const float value = static_cast<float>(atof(operand.c_str()));
    if (value_count < kValues) values[value_count++] = value;
    trace(it, "**[math set] FINAL format value to '%lf' \n", static_cast<double>(value));
    if (line[p] == ';' || line[p] == '\0') break;
  }

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

}  // namespace vp
