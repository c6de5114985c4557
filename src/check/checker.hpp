// The checker's own state: the catalogue of checks, the findings of one script, and
// what the reading of a script has learned so far (declarations, open loops and if
// blocks, pending gotos). A script is read once, line by line, through the same
// statement table and line classification as a run, and nothing of it is carried out.
#pragma once

#include <cstdint>
#include <cstdio>

#include "vp/statements.hpp"

namespace vp::check {

enum class Severity : uint8_t { kError, kWarning, kNote };

// Every check, by its stable name (kChecks below); the order is that of the guide.
enum class Check : uint8_t {
  kLineDoesNothing,
  kCommentDropsLine,
  kEndInText,
  kCodeAfterEnd,
  kBeginInText,
  kMissingFrame,
  kLineTooLong,
  kLineCap,
  kDeclarationAfterBegin,
  kTooManyDeclarations,
  kVarAlone,
  kDeclarationFormat,
  kTypeWord,
  kUndeclaredName,
  kCopiesName,
  kOperatorSpacing,
  kAssignmentSpacing,
  kMissingSemicolon,
  kNameInsideName,
  kInputAsName,
  kIfWithAnd,
  kStatementOnIfLine,
  kIfGovernsNothing,
  kConditionSyntax,
  kConditionNeverHolds,
  kIfBlockInWhile,
  kIfGovernsLoopEnd,
  kNestedIfBlock,
  kNestedLoop,
  kLoopWithoutEnd,
  kWhileBound,
  kWhileVariable,
  kUntilWithoutRepeat,
  kGotoLabelMissing,
  kGotoLabelAbove,
  kBlankAfterComma,
  kSeveralStatements,
  kBareWord,
  kCount,
};
static_assert(static_cast<int>(Check::kCount) <= 64, "one bit per check in a directive's mask");

struct CheckInfo {
  const char* name;
  Severity severity;  // the usual one; a finding may say otherwise
};
extern const CheckInfo kChecks[static_cast<int>(Check::kCount)];

const char* severity_name(Severity s);
// The check of that name, or Check::kCount.
Check check_named(const char* name, int length);

constexpr int kMessageSize = 240;
constexpr int kMaxFindings = 2000;  // per script; more are counted, not kept
constexpr int kMaxDirectives = 1000;

struct Finding {
  int line;
  int column;
  int order;  // the order of reporting, which breaks ties on one place
  Severity severity;
  Check check;
  char message[kMessageSize];
};

// A "// check: ignore NAME..." line: the checks it silences on the line after it.
struct Directive {
  int line;
  uint64_t checks;
};

struct Findings {
  Finding items[kMaxFindings];
  int count;
  int dropped;  // findings past kMaxFindings
  Directive directives[kMaxDirectives];
  int directive_count;
};

void add_finding(Findings& f, int line, int column, Check check, Severity severity,
                 const char* format, ...) __attribute__((format(printf, 6, 7)));
// Reads a directive from a comment line; false when the line holds none.
bool read_directive(Findings& f, int line, const char* text);
// Drops the findings that a directive silences and sorts the rest by place.
void settle_findings(Findings& f);

// Names, cut for messages.
constexpr int kShownSize = 48;
struct Shown {
  char text[kShownSize];
};
Shown shown(const char* text, int length = -1);

// A declared name, as the variable table holds it.
struct Slot {
  char name[kNameSize];
  char type;        // the type letter, 0 for none
  bool constant;    // never assigned
  bool from_input;  // a statement fills it from standard input or the request
};

constexpr int kMaxGotos = 256;
constexpr int kTargetSize = 60;
constexpr int kMaxLabels = 512;

struct GotoTarget {
  char target[kTargetSize];
  int line;
  int column;
};

struct LabelLine {
  char word[kTargetSize];
  int line;
};

// What the reading of one script has learned so far.
struct ScriptState {
  // Declarations, in the order of the variable table: declared slots, then the
  // built-ins in their own slots.
  Slot slots[kSlots];
  int declared;
  Block block;  // the section an indented line continues

  bool program_found;
  bool begin_found;
  int end_line;      // the line holding "end.", 0 before it
  int end_column;    // where "end." stands in it
  bool end_in_text;  // that line holds "end." inside other text
  bool after_end_reported;
  int handled;  // lines the run would handle (a long line once per piece read)
  bool cap_reported;

  // Loops and if blocks, by the line that opened them (0: none open).
  bool repeat_seen;
  int open_repeat;
  int open_while;
  Role open_while_role;
  int open_if_block;
  int if_block_in_while;  // the while line an open if block stands in, or 0
  int pending_if;         // a single-line if waiting for the line it governs

  GotoTarget gotos[kMaxGotos];
  int goto_count;
  LabelLine labels[kMaxLabels];
  int label_count;
  int goto_landing;  // the last line a goto's search stopped at as its label
};

// The line being checked.
struct CheckedLine {
  const char* text;  // without its line end
  int length;
  int number;      // the line in the file, from 1
  bool continued;  // the rest of a line longer than 255 characters
  LineClass facts;
};

// The whole of one line, and what only the whole script tells.
void check_line(ScriptState& s, Findings& f, CheckedLine& line);
void finish_script(ScriptState& s, Findings& f, int last_line);

// Per-line checks, by subject. Each reads the line and the state and reports into f.
void check_declaration_line(ScriptState& s, Findings& f, const CheckedLine& line);
void check_statement_line(ScriptState& s, Findings& f, const CheckedLine& line);
void check_flow(ScriptState& s, Findings& f, const CheckedLine& line);
void finish_flow(ScriptState& s, Findings& f);

// Names.
void place_builtin_slots(ScriptState& s);
int find_slot(const ScriptState& s, const char* name, int length);
// The slot an assignment line assigns (the first non-constant whose name is the
// line's first word), or -1; *constant_slot gets a constant that would have.
int assigned_slot(const ScriptState& s, const CheckedLine& line, int* constant_slot);
// "did you mean" text for a name no slot holds ("" when none is close).
void suggest_name(const ScriptState& s, const char* name, int length, char* out, int size);
void check_name_use(ScriptState& s, Findings& f, const CheckedLine& line, int column,
                    const char* name, int length, const char* what);
void check_assignment(ScriptState& s, Findings& f, const CheckedLine& line, int slot);
void check_arguments(ScriptState& s, Findings& f, const CheckedLine& line, int row);
void check_condition(ScriptState& s, Findings& f, const CheckedLine& line, int row);
void check_while_head(ScriptState& s, Findings& f, const CheckedLine& line, int row);
void check_operand_names(ScriptState& s, Findings& f, const CheckedLine& line, const char* text,
                         int length, int column, bool arithmetic);

// Reports the line as doing nothing, for the reason the format tells.
void does_nothing(Findings& f, const CheckedLine& line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Text helpers.
// The character at i, or '\0' outside the line, as the run's scans read it.
inline char at(const CheckedLine& line, int i) {
  return i >= 0 && i < line.length ? line.text[i] : '\0';
}
// The column a statement's handler starts reading at: just past its keyword.
inline int column_of(const CheckedLine& line, int row) {
  return line.facts.indent + static_cast<int>(kStatements[row].keyword.size()) - 2;
}
bool is_blank_line(const CheckedLine& line);
// Where the first "//" or "(*" stands, and whether inside a quoted text; -1 if none.
int comment_mark(const char* text, bool* quoted);

}  // namespace vp::check
