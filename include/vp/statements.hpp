// The statement table and the classification of a line: which rows match it, the
// frame marks it holds and its indent. The per-line step dispatches through what
// this header declares.
#pragma once

#include <cstdint>
#include <string_view>

#include "vp/interpreter.hpp"

namespace vp {

using Condition = bool (*)(const Interpreter&);
using TextCondition = bool (*)(const char* line);
using Action = void (*)(Interpreter&, int column);

// What a row's statement does, as far as readers of the table other than the step
// (the checker) need to know it.
enum class Role : uint8_t {
  kStatement,  // any other statement
  kWrite,      // write and writeln: one blank after a comma is passed over
  kInput,      // stores what standard input or the request holds into the named variable
  kForm,       // read_form, read_cookie: the variable up to the comma, a quoted name after
  kVarFirst,   // declarations: the first line of a section, and its continuation lines
  kVarMore,
  kConstFirst,
  kConstMore,
  kLabelFirst,
  kLabelMore,
  kRepeat,
  kWhileLess,
  kWhileMore,
  kWhileCount,
  kLoopEnd,  // the " end;" of the while loops
  kIf,
  kUntil,
  kGoto,
};

// One row of the statement table: a keyword searched anywhere in the line (in any
// case, or exactly), an optional further condition, and the action, which gets the
// column just past the keyword when the statement begins its line. A condition on
// the line's text alone is kept apart, so that a line's facts can hold its answer.
struct Row {
  std::string_view keyword;
  bool any_case;
  Condition condition;
  Action action;
  TextCondition text_condition = nullptr;
  bool declaration = false;  // runs only before "begin"
  Role role = Role::kStatement;
};

// Tested top to bottom on every line; every row that matches runs, so one line can
// start several statements, always in this order.
extern const Row kStatements[];
extern const int kRowCount;
// The rows that run only before "begin", bit r for row r.
extern const uint64_t kDeclarationRows;

// Landmarks of the script frame and the texts that refresh or stop a line.
enum : uint32_t {
  kMarkProgram = 1u << 0,  // "program" and a ';'
  kMarkBegin = 1u << 1,
  kMarkEnd = 1u << 2,
  kMarkCurrentDir = 1u << 3,
  kMarkCwd = 1u << 4,
  kMarkComment = 1u << 5,
};

// How a line's text is read: its indent, the marks it holds, the rows whose keyword
// occurs in it, and of those the rows whose condition on the text holds too. A
// comment line (kMarkComment) has no rows. lowered (kLineSize bytes) is scratch.
struct LineClass {
  int indent;
  uint32_t marks;
  uint64_t keyword_rows;
  uint64_t rows;
};
LineClass classify_line(const char* line, char* lowered);
// Whether declaration row row takes line before "begin", in the section block_type
// (0 none, 1 var, 2 const, 3 label) that the declarations before it left.
bool section_takes(Role role, const char* line, int block_type);
bool declaration_row_takes(int row, const char* line, int block_type);

// Everything the step takes from the text of the line in stread, searched afresh.
LineFacts learn_line(Interpreter& it);
// The rows after row whose keyword and text condition hold on the line now in
// stread: a handler has read further lines into it.
uint64_t rows_after(Interpreter& it, int row);

}  // namespace vp
