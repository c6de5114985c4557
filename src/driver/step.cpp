// The per-line step: takes a line's facts from the line cache or learns them,
// notes the frame marks, runs every matching statement row in table order and then
// tries the line as an assignment.
#include <bit>

#include "vp/handlers.hpp"
#include "vp/statements.hpp"

namespace vp {

namespace {

// The step over the line in it.line, with its entry in the line cache (nullptr for
// none), which known tells held this very line.
void step_over(Interpreter& it, LineCacheEntry* entry, bool known) {
  // A line that comes back from the same place with the same text (a loop's body)
  // has the facts it had before, read in place rather than copied (2% fewer
  // instructions on bench/loop.pas).
  LineFacts learned;  // set on a miss only
  if (!known) {
    learned = learn_line(it);
    if (entry != nullptr) entry->facts = learned;
  }
  const LineFacts& facts = known ? entry->facts : learned;
  it.indent = facts.indent;
  it.texts = facts.texts;
  it.texts_generation = it.script.generation;

  if (facts.marks != 0) {  // most lines hold none of the marks
    if ((facts.marks & kMarkProgram) != 0) it.program_found = true;
    if (!it.begin_found && (facts.marks & kMarkBegin) != 0) {
      it.begin_found = true;
      freeze_names(it);  // no declaration runs from here on
    }
    if ((facts.marks & kMarkEnd) != 0) it.end_found = true;
    if ((facts.marks & kMarkCurrentDir) != 0) refresh_dir(it, kSlotCurrentDir);
    if ((facts.marks & kMarkCwd) != 0) refresh_dir(it, kSlotCwd);
    if ((facts.marks & kMarkComment) != 0) return;
  }
  // Trace mode takes the whole way every time, and plans name slots, so they wait
  // for the names to settle.
  it.line_plans = entry != nullptr && !it.tracing && it.vars.index.built ? &entry->plans : nullptr;

  unsigned generation = it.script.generation;
  uint64_t pending = facts.rows;
  if (it.begin_found) pending &= ~kDeclarationRows;
  while (pending != 0) {
    const int r = std::countr_zero(pending);
    pending &= pending - 1;
    const Row& row = kStatements[r];
    if (row.condition != nullptr && !row.condition(it)) continue;
    row.action(it, it.indent + static_cast<int>(row.keyword.size()) - 2);
    if (it.script.generation != generation) {
      // The handler read further lines into it.line: the rows after it are tested on
      // the new text, with the indent of the line the step began with.
      generation = it.script.generation;
      pending = rows_after(it, r);
    }
  }
  assign_step(it);
}

}  // namespace

bool step_next_line(Interpreter& it) {
  bool known;
  LineCacheEntry* entry = it.line_cache.lookup(next_line_source(it), &known);
  if (known) {
    read_known_script_line(it, entry->length);
  } else {
    int length;
    if (!read_script_line_length(it, &length)) return false;
    if (entry != nullptr) entry->keep(it.line, length, it.script.fill);
  }
  step_over(it, entry, known);
  return true;
}

void step_line(Interpreter& it) {
  // The line did not come from the buffer: it is compared, never taken on trust.
  const int length = static_cast<int>(strlen(it.line));
  bool known;
  LineCacheEntry* entry = it.line_cache.lookup({it.script.line_start, 0, it.line, length}, &known);
  if (!known && entry != nullptr) entry->keep(it.line, length, 0);
  step_over(it, entry, known);
}

}  // namespace vp
