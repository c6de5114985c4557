// Loops, if blocks and jumps: which lines a loop's body, an if's block and a goto's
// search take in, read in the order of the file as the run meets them.
#include <cstring>

#include "checker.hpp"

namespace vp::check {

namespace {

const char* loop_name(Role role) {
  switch (role) {
    case Role::kWhileLess:
      return "while-less (<)";
    case Role::kWhileMore:
      return "while-more (>)";
    default:
      return "while count";
  }
}

bool is_while(Role role) {
  return role == Role::kWhileLess || role == Role::kWhileMore || role == Role::kWhileCount;
}

// The leading word of a line, as the goto search takes it: up to a blank, a colon or
// the end of the line.
int leading_word(const char* text) {
  int n = 0;
  while (text[n] != '\0' && text[n] != ' ' && text[n] != ':' && text[n] != '\r') ++n;
  return n;
}

bool label_above(const ScriptState& s, const GotoTarget& g) {
  for (int i = 0; i < s.label_count; ++i)
    if (s.labels[i].line < g.line && strcmp(s.labels[i].word, g.target) == 0) return true;
  return false;
}

// A goto whose search found no label: it stopped at stop_line (0: the end of the file).
void goto_failed(const ScriptState& s, Findings& f, const GotoTarget& g, int stop_line) {
  const Shown target = shown(g.target);
  if (label_above(s, g)) {
    add_finding(f, g.line, g.column, Check::kGotoLabelAbove, Severity::kError,
                "the label '%s' stands above this goto: a goto searches forward only, so it "
                "reads on to the 'end.' line and the run ends there",
                target.text);
    return;
  }
  char where[96] = "";
  if (stop_line > 0 && stop_line != s.end_line)
    snprintf(where, sizeof(where), " (the search stops at line %d, whose fourth character is '.')",
             stop_line);
  const char* blank = g.target[0] == ' ' ? " (the name begins with a blank)" : "";
  add_finding(f, g.line, g.column, Check::kGotoLabelMissing, Severity::kError,
              "no line after this goto begins with the label '%s'%s%s: the run skips to the "
              "'end.' line; write the label at the very start of a line, as '%s:'",
              target.text, blank, where, target.text);
}

void follow_gotos(ScriptState& s, Findings& f, const CheckedLine& line) {
  const char* t = line.text;
  const bool at_start = t[0] != ' ' && t[0] != '\t' && t[0] != '\0';
  const int word = at_start ? leading_word(t) : 0;
  const bool stops = line.length > 3 && t[3] == '.';
  int kept = 0;
  for (int i = 0; i < s.goto_count; ++i) {
    const GotoTarget& g = s.gotos[i];
    const bool found = word > 0 && static_cast<int>(strlen(g.target)) == word &&
                       strncmp(t, g.target, static_cast<size_t>(word)) == 0;
    if (found) {
      s.goto_landing = line.number;
      continue;
    }
    if (stops) {
      goto_failed(s, f, g, line.number);
      continue;
    }
    s.gotos[kept++] = g;
  }
  s.goto_count = kept;
  if (word > 0 && word < kTargetSize && s.label_count < kMaxLabels) {
    LabelLine& l = s.labels[s.label_count++];
    memcpy(l.word, t, static_cast<size_t>(word));
    l.word[word] = '\0';
    l.line = line.number;
  }
}

void add_goto(ScriptState& s, Findings& f, const CheckedLine& line, int row) {
  const int column = line.facts.indent + static_cast<int>(kStatements[row].keyword.size()) - 2;
  GotoTarget g = {};
  int n = 0;
  for (int p = column; p < line.length && line.text[p] != ';' && line.text[p] != '\r'; ++p)
    if (n < kTargetSize - 1) g.target[n++] = line.text[p];
  g.line = line.number;
  g.column = column + 1;
  if (n == 0) {
    add_finding(f, line.number, column + 1, Check::kGotoLabelMissing, Severity::kError,
                "this goto names no label: it does nothing");
    return;
  }
  if (s.goto_count < kMaxGotos) s.gotos[s.goto_count++] = g;
}

// The line right after an if line: the one its condition governs.
void governed_line(ScriptState& s, Findings& f, const CheckedLine& line) {
  const int if_line = s.pending_if;
  s.pending_if = 0;
  if (strstr(line.text, "  begin") != nullptr) {
    if (s.open_if_block != 0)
      add_finding(f, if_line, 1, Check::kNestedIfBlock, Severity::kWarning,
                  "an if block inside the if block of line %d: when that condition is false, "
                  "its skip ends at the first 'end;' line, this block's, and the lines after "
                  "it run",
                  s.open_if_block);
    else
      s.open_if_block = if_line;
    s.if_block_in_while = s.open_while;
    return;
  }
  for (uint64_t left = line.facts.rows; left != 0; left &= left - 1) {
    const Role role = kStatements[std::countr_zero(left)].role;
    if (role == Role::kIf)
      add_finding(f, if_line, 1, Check::kNestedIfBlock, Severity::kWarning,
                  "this if governs the if line after it: when this condition is false only "
                  "that line is skipped, and the line it governs runs; use an if block");
    if ((role == Role::kUntil && s.open_repeat != 0) ||
        (role == Role::kLoopEnd && s.open_while != 0))
      add_finding(f, if_line, 1, Check::kIfGovernsLoopEnd, Severity::kWarning,
                  "this if governs the line that closes the loop (line %d): when the condition "
                  "is false that line is skipped, and the loop neither goes back nor ends there",
                  line.number);
  }
  const bool comment = (line.facts.marks & kMarkComment) != 0;
  if (comment || is_blank_line(line))
    add_finding(f, if_line, 1, Check::kIfGovernsNothing, Severity::kError,
                "this if governs the next line, which is %s: the line after that runs "
                "whatever the condition; put the statement right after the if line",
                comment ? "a comment" : "empty");
}

void close_if_block(ScriptState& s, Findings& f, const CheckedLine& line) {
  if (s.if_block_in_while != 0 && s.open_while == s.if_block_in_while)
    add_finding(f, s.open_if_block, 1, Check::kIfBlockInWhile, Severity::kWarning,
                "this if block stands in the while loop of line %d: when the condition holds, "
                "its 'end;' (line %d) ends the loop's pass, so the loop goes back from there "
                "and the body's lines after it run only on the last pass",
                s.if_block_in_while, line.number);
  s.open_if_block = 0;
  s.if_block_in_while = 0;
}

void open_loop(ScriptState& s, Findings& f, const CheckedLine& line, Role role) {
  if (role == Role::kRepeat) {
    if (s.open_repeat != 0)
      add_finding(f, line.number, line.facts.indent + 1, Check::kNestedLoop, Severity::kError,
                  "a repeat inside the repeat of line %d: one position serves every repeat, so "
                  "the outer until goes back to the line after this one, not after line %d",
                  s.open_repeat, s.open_repeat);
    s.open_repeat = line.number;
    s.repeat_seen = true;
    return;
  }
  if (s.open_while != 0) {
    const bool same = role == s.open_while_role;
    add_finding(f, line.number, line.facts.indent + 1, Check::kNestedLoop,
                same ? Severity::kError : Severity::kWarning,
                same ? "a %s loop inside the %s loop of line %d: loops of one form do not nest, "
                       "they share one saved position and one state"
                     : "a %s loop inside the %s loop of line %d: the first ' end;' line ends a "
                       "pass of both loops",
                loop_name(role), loop_name(s.open_while_role), s.open_while);
  }
  s.open_while = line.number;
  s.open_while_role = role;
}

}  // namespace

void check_flow(ScriptState& s, Findings& f, const CheckedLine& line) {
  if (s.pending_if != 0) governed_line(s, f, line);
  if (s.goto_count > 0 || line.text[0] != ' ') follow_gotos(s, f, line);
  if (s.open_if_block != 0 && s.pending_if == 0 && s.open_if_block != line.number &&
      strstr(line.text, "  end;") != nullptr)
    close_if_block(s, f, line);

  for (uint64_t left = line.facts.rows; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    const Role role = kStatements[r].role;
    if (role == Role::kUntil && s.open_if_block != 0 && s.open_repeat != 0 &&
        s.open_repeat < s.open_if_block)
      add_finding(f, s.open_if_block, 1, Check::kIfGovernsLoopEnd, Severity::kWarning,
                  "this if block holds the until (line %d) of the repeat of line %d: when the "
                  "condition is false the until is skipped, and the loop neither goes back nor "
                  "ends there",
                  line.number, s.open_repeat);
    if (role == Role::kRepeat || is_while(role)) {
      open_loop(s, f, line, role);
    } else if (role == Role::kLoopEnd) {
      s.open_while = 0;
    } else if (role == Role::kUntil) {
      if (!s.repeat_seen)
        add_finding(f, line.number, line.facts.indent + 1, Check::kUntilWithoutRepeat,
                    Severity::kError,
                    "until with no repeat line before it: the run stops here with "
                    "\"Pascal Error: Need 'repeat' command for 'until' command\"");
      s.open_repeat = 0;
    } else if (role == Role::kGoto) {
      add_goto(s, f, line, r);
    } else if (role == Role::kIf) {
      s.pending_if = line.number;
    }
  }
}

void finish_flow(ScriptState& s, Findings& f) {
  if (s.open_while != 0)
    add_finding(f, s.open_while, 1, Check::kLoopWithoutEnd, Severity::kError,
                "no line holding ' end;' follows this while: its body never repeats");
  if (s.open_repeat != 0)
    add_finding(f, s.open_repeat, 1, Check::kLoopWithoutEnd, Severity::kWarning,
                "no until follows this repeat: its body runs once");
  for (int i = 0; i < s.goto_count; ++i) goto_failed(s, f, s.gotos[i], 0);
  s.goto_count = 0;
  s.open_while = s.open_repeat = 0;
}

}  // namespace vp::check
