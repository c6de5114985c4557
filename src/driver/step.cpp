// The per-line step: takes a line's facts from the line cache or learns them,
// notes the frame marks, runs every matching statement row in table order and then
// tries the line as an assignment.
#include <bit>

#include "vp/handlers.hpp"
#include "vp/statements.hpp"

namespace vp {

// The step over the line in stread, whose length is known.
void step_read_line(Interpreter& it, int length) {
  // A line that comes back from the same place with the same text (a loop's body)
  // has the facts it had before.
  LineFacts facts;
  it.line_entry = it.line_cache.entry(it.line_start, it.stread, length);
  if (it.line_entry != nullptr) {
    facts = it.line_entry->facts;
  } else {
    facts = learn_line(it);
    it.line_entry = it.line_cache.store(it.line_start, it.stread, length, facts);
  }
  it.indent = facts.indent;
  it.texts = facts.texts;
  it.texts_generation = it.line_generation;

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

  unsigned generation = it.line_generation;
  uint64_t pending = facts.rows;
  if (it.begin_found) pending &= ~kDeclarationRows;
  while (pending != 0) {
    const int r = std::countr_zero(pending);
    pending &= pending - 1;
    const Row& row = kStatements[r];
    if (row.condition != nullptr && !row.condition(it)) continue;
    row.action(it, it.indent + static_cast<int>(row.keyword.size()) - 2);
    if (it.line_generation != generation) {
      // The handler read further lines into stread: the rows after it are tested on
      // the new text, with the indent of the line the step began with.
      generation = it.line_generation;
      pending = rows_after(it, r);
    }
  }
  assign_step(it);
}

void step_line(Interpreter& it) {
  step_read_line(it, static_cast<int>(strlen(it.stread)));
}

}  // namespace vp
