// The parts of the interpreter's state, each a small struct with a comment on every
// field: the variable and label tables, the loops, the output text file and the
// output buffer. The Interpreter (interpreter.hpp) holds one of each.
#pragma once

#include <cstdint>
#include <cstdio>

#include "vp/script_reader.hpp"
#include "vp/text.hpp"

namespace vp {

inline constexpr int kLineCap = 9999;  // handled lines after which a run stops

// Built-in slots of the variable table.
inline constexpr int kSlotCwd = 249;            // "SYSTEM.cwd"
inline constexpr int kSlotReturn = 250;         // "XVALUE.return"
inline constexpr int kSlotPi = 251;             // "PI"
inline constexpr int kSlotOs = 253;             // "SYSTEM.os"
inline constexpr int kSlotInfo = 254;           // "SYSTEM.info"
inline constexpr int kSlotCurrentDir = 255;     // "GetCurrentDir"
inline constexpr int kMaxDeclarations = 249;    // declarations fill slots 0 to 248
inline constexpr int kFirstBuiltin = kSlotCwd;  // slots from here on are built-ins

// A variable's type, as the one letter a declaration gives it.
enum class VarType : char {
  none = '\0',  // a slot no declaration has filled
  string = 's',
  text = 't',  // names the output text file: writing one routes output there
  character = 'c',
  integer = 'i',
  real = 'r',
  hex = 'h',
};

// The declaration section the script is in; it routes the indented lines that
// continue a section.
enum class Block : uint8_t { none, var, constant, label };

// A lookup index over the variable names. Declarations run only before "begin",
// so from the line that holds it on, names and constants no longer change; the
// index is built then and spares every lookup a pass over all 256 slots.
struct NameIndex {
  bool built;                   // names are settled and the fields below hold
  int named_count;              // how many slots have a name
  unsigned char named[kSlots];  // the slots with a name, ascending
  int first_free;               // the first slot with an empty name, or -1
  // Slots by the first character of their name, ascending, as lists kept one
  // higher than the slot number so that 0 ends a list: head[c] is the first,
  // next[slot] the one after slot.
  unsigned short head[256];
  unsigned short next[kSlots];
  // Bit i: the name of named[i], for i below 64, begins with this character.
  uint64_t starts_with[256];
  unsigned char index_of[kSlots];  // a named slot's place in named
  // Whether some name begins with a character a plain number is written with (a
  // digit, a sign, a point or a blank): if none does, no name occurs in a number.
  bool numeral_names;
};

// The variables: 256 slots, found by exact name, first match winning; built-ins
// from kFirstBuiltin on. Values are kept as text.
struct VariableTable {
  char names[kSlots][kNameSize] = {};    // each slot's name; empty for a free slot
  VarType types[kSlots] = {};            // each slot's type
  char values[kSlots][kValueSize] = {};  // each slot's value, as text
  bool constant[kSlots] = {};            // declared under const: never assigned
  int count = 0;                         // declarations taken so far
  NameIndex index = {};                  // built once "begin" is seen
};

// The labels: only declarations write them, only their trace reads them.
struct LabelTable {
  char names[kSlots][kNameSize] = {};  // each label's name
  int count = 0;                       // labels declared so far
};

// One of the three while forms; one of each per run, so loops of a form do not nest.
struct WhileState {
  bool active;    // the head has run and its start is saved
  bool done;      // the loop has ended: its " end;" lines no longer go back
  bool or_equal;  // the head compares with "<=" or ">=" rather than "<" or ">"
  int bound;      // the number the loop variable is compared with, or the count
  int passes;     // passes of the while-count loop so far
};

// Where loops go back to. The saved places are the lines just after their heads.
struct Loops {
  bool repeat_marked = false;  // a repeat line has been seen: an until may go back
  ScriptPlace repeat_start;    // the body of repeat (whereinfile)
  ScriptPlace less_start;      // the body of the while-less loop (whereinfileWL1)
  ScriptPlace count_start;     // the body of the while-count loop (whereinfileWL2)
  ScriptPlace more_start;      // the body of the while-more loop (whereinfileWL3)
  WhileState less = {};        // while x < n, while x <= n
  WhileState more = {};        // while x > n, while x >= n
  WhileState count = {};       // while count n
  int slot = 0;                // the variable the last while-less or -more head compares
};

// Run-time warnings, asked for with -w or VP_WARNINGS=1.
inline constexpr int kWarnedLines = 1 << 16;  // script lines whose warnings are remembered
struct Warnings {
  bool on;                 // whether warnings are written at all
  char script[kLineSize];  // the script as the command line named it
  // Bit n: line n gave a warning on an earlier pass, so a loop does not repeat it.
  unsigned char warned[kWarnedLines / 8];
  int line;  // the line that is giving warnings now,
  int pass;  // and the handled-line count it is doing so at
};

// The one output text file a script can write to.
struct OutputFile {
  FILE* stream = nullptr;      // opened by rewrite or append (textFilePointer)
  char name[kValueSize] = {};  // the name stream was opened under
  bool opened = false;         // a rewrite or append ran since the last closefile
  bool routed = false;         // a text variable was written: output goes to the file
};

// Standard output, gathered and handed to the host in chunks.
struct OutputBuffer {
  char bytes[8192] = {};  // what is not handed over yet
  int length = 0;         // how many bytes of it
};

}  // namespace vp
