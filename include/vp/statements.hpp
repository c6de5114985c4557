// The statement table and the classification of a line: which rows match it, the
// frame marks it holds and its indent. The per-line step dispatches through what
// this header declares, and anything that reads a script without running it (a
// checker, an editor's syntax) classifies its lines through the same entry point.
#pragma once

#include <cstdint>
#include <string_view>

#include "vp/line_cache.hpp"
#include "vp/state.hpp"

namespace vp {

struct Interpreter;

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
// case, or exactly), an optional further condition on the run's state, and the
// action, which gets the column just past the keyword when the statement begins its
// line. A condition on the line's text alone is kept apart, so that a line's facts
// can hold its answer.
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
// start several statements, always in this order. Bit r of a row mask is row r.
extern const Row kStatements[];
extern const int kRowCount;
extern const uint64_t kDeclarationRows;  // the rows that run only before "begin"

// Landmarks of the script frame and the texts that refresh or stop a line.
enum : uint32_t {
  kMarkProgram = 1u << 0,  // "program" and a ';'
  kMarkBegin = 1u << 1,
  kMarkEnd = 1u << 2,
  kMarkCurrentDir = 1u << 3,  // "GetCurrentDir": refresh that built-in
  kMarkCwd = 1u << 4,         // "SYSTEM.cwd": refresh that built-in
  kMarkComment = 1u << 5,     // "(*" or "//": no statement of the line runs
};

// What a line's text alone says about it.
struct LineClass {
  uint64_t keyword_rows;  // rows whose keyword occurs; none on a comment line
  uint64_t rows;          // of those, the rows whose text condition holds too
  uint32_t marks;         // kMark bits
  int indent;             // the index of the first character neither blank nor tab
};

// The classification of a line (terminated, at most a line buffer's text). Pure: it
// reads nothing but line, so a line can be classified without running anything.
// Whether a matching row runs still depends on the run: its condition, and
// declaration rows only before "begin".
LineClass classify_line(const char* line);
// Whether a declaration row of the given role takes line before "begin", in the
// section block that the declarations before it left.
bool section_takes(Role role, const char* line, Block block);
bool declaration_row_takes(int row, const char* line, Block block);

// Everything the step takes from the text of the line in it.line, searched afresh.
LineFacts learn_line(const Interpreter& it);
// The rows after row whose keyword and text condition hold on the line now in
// it.line: a handler has read further lines into it.
uint64_t rows_after(const Interpreter& it, int row);

}  // namespace vp
