// The run: command line, the line loop with its three exits, the per-line step and
// the statement table it dispatches through.
#include <algorithm>
#include <bit>
#include <string_view>

#include "vp/handlers.hpp"

namespace vp {

namespace {

using Condition = bool (*)(const Interpreter&);
using Action = void (*)(Interpreter&, int column);

// One row of the statement table: a keyword searched anywhere in the line (in any
// case, or exactly), an optional further condition, and the action, which gets the
// column just past the keyword when the statement begins its line. A condition on
// the line's text alone is kept apart, so that a line's facts can hold its answer.
struct Row {
  std::string_view keyword;
  bool any_case;
  Condition condition;
  Action action;
  Condition text_condition = nullptr;
  bool declaration = false;  // runs only before "begin"
};

constexpr bool kAnyCase = true;
constexpr bool kExact = false;

bool before_begin(const Interpreter& it) {
  return !it.begin_found;
}
bool var_continuation(const Interpreter& it) {
  return !it.begin_found && strchr(it.stread, ':') != nullptr && it.block_type == 1;
}
bool const_continuation(const Interpreter& it) {
  return !it.begin_found && strchr(it.stread, '=') != nullptr && it.block_type == 2;
}
bool label_continuation(const Interpreter& it) {
  return !it.begin_found && it.block_type == 3;
}
bool while_less_line(const Interpreter& it) {
  return contains(it.stread, " <") && contains(it.stread, "do");
}
bool while_more_line(const Interpreter& it) {
  return contains(it.stread, " >") && contains(it.stread, "do");
}
bool while_count_line(const Interpreter& it) {
  return contains(it.stread, "do");
}
// A condition joined with "and" is beyond the if statement: such a line is no if.
bool single_condition(const Interpreter& it) {
  return !contains(it.stread, " and");
}

// Tested top to bottom on every line; every row that matches runs, so one line can
// start several statements, always in this order.
constexpr Row kStatements[] = {
    {"  wround(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_wround(it, c); }},
    {"  wsqrt(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_wsqrt(it, c); }},
    {"  write(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_writeln(it, c); }},
    {"  append(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_rewrite(it, c); }},
    {"  rewrite(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_rewrite(it, c); }},
    {"  findrp(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_findrp(it, c); }},
    {"  findow(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_findow(it, c); }},
    {"  insert(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_insert(it, c); }},
    {"  delete(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { pascal_delete(it, it.stread, c); }},
    {"  writeln(", kAnyCase, nullptr,
     [](Interpreter& it, int c) {
       pascal_writeln(it, c);
       out_char(it, '\n');
     }},
    {"  writewc(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_writewc(it, c); }},
    {"  read(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_read(it, c); }},
    {"  readln(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_read(it, c); }},
    {"  query_remote_web_client(", kAnyCase, nullptr,
     [](Interpreter& it, int) { query_remote_web_client(it); }},
    {"  read_version(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { v_pascal_read_version(it, c); }},
    {"  read_http_user_agent(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_http_user_agent(it, it.stread, c); }},
    {"  read_query_string(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_query_string(it, it.stread, c); }},
    {"  read_remote_addr(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_remote_addr(it, it.stread, c); }},
    {"  read_date(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_read_date(it, c); }},
    {"  read_content_length(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_content_length(it, it.stread, c); }},
    {"  halt;", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.stread); }},
    {"  halt(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.stread); }},
    {"  writewh(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_writewh(it); }},
    {"  closefile(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_closefile(it); }},
    {"  system('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.stread); }},
    {"  exec('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.stread); }},
    {"  delay(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_delay(it, it.stread); }},
    {"const", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, 1); }, nullptr, true},
    {"var ", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, 0); }, nullptr, true},
    {"   ", kExact, var_continuation, [](Interpreter& it, int) { pascal_var(it, 0); }, nullptr,
     true},
    {"   ", kExact, const_continuation, [](Interpreter& it, int) { pascal_var(it, 1); }, nullptr,
     true},
    {"   ", kExact, label_continuation, [](Interpreter& it, int) { pascal_label(it); }, nullptr,
     true},
    {"label ", kExact, before_begin, [](Interpreter& it, int) { pascal_label(it); }, nullptr, true},
    {"  repeat", kExact, nullptr, [](Interpreter& it, int) { repeat_mark(it); }},
    {"  while ", kExact, nullptr, [](Interpreter& it, int) { while_less_head(it); },
     while_less_line},
    {"  while ", kExact, nullptr, [](Interpreter& it, int) { while_more_head(it); },
     while_more_line},
    {"  while count ", kExact, nullptr, [](Interpreter& it, int) { while_count_head(it); },
     while_count_line},
    {" end;", kExact, while_end_pending, [](Interpreter& it, int) { while_end(it); }},
    {"  if ", kExact, nullptr, [](Interpreter& it, int c) { pascal_if(it, c); }, single_condition},
    {"  until ", kExact, nullptr, [](Interpreter& it, int c) { pascal_until(it, c); }},
    {"  goto ", kExact, nullptr, [](Interpreter& it, int c) { pascal_goto(it, c); }},
    // Extensions: after every row of the language, so that no script changes meaning.
    {"  read_form(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_form(it, it.stread, c); }},
    {"  read_cookie(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_cookie(it, it.stread, c); }},
};

constexpr size_t kRowCount = sizeof(kStatements) / sizeof(kStatements[0]);
static_assert(kRowCount <= 64, "one bit per row in LineFacts::rows");

// The rows whose keyword matches in any case: only their tests need the lower-case
// copy of the line.
constexpr uint64_t any_case_rows() {
  uint64_t rows = 0;
  for (size_t r = 0; r < kRowCount; ++r)
    if (kStatements[r].any_case) rows |= uint64_t{1} << r;
  return rows;
}

constexpr uint64_t all_rows() {
  return kRowCount == 64 ? ~uint64_t{0} : (uint64_t{1} << kRowCount) - 1;
}

constexpr uint64_t declaration_rows() {
  uint64_t rows = 0;
  for (size_t r = 0; r < kRowCount; ++r)
    if (kStatements[r].declaration) rows |= uint64_t{1} << r;
  return rows;
}

// Landmarks of the script frame and the texts that refresh or stop a line.
enum : uint32_t {
  kMarkProgram = 1u << 0,  // "program" and a ';'
  kMarkBegin = 1u << 1,
  kMarkEnd = 1u << 2,
  kMarkCurrentDir = 1u << 3,
  kMarkCwd = 1u << 4,
  kMarkComment = 1u << 5,
};

// The texts behind the marks, searched anywhere in the line, exactly.
struct MarkText {
  std::string_view text;
  uint32_t mark;
};
constexpr MarkText kMarkTexts[] = {
    {"program", kMarkProgram}, {"begin", kMarkBegin},
    {"end.", kMarkEnd},        {"GetCurrentDir", kMarkCurrentDir},
    {"SYSTEM.cwd", kMarkCwd},  {"(*", kMarkComment},
    {"//", kMarkComment},
};
constexpr size_t kMarkTextCount = sizeof(kMarkTexts) / sizeof(kMarkTexts[0]);
static_assert(kMarkTextCount <= 8, "one bit per mark text in KeywordStarts::mark_starts");

// Where each keyword can begin, so that a single pass over a new line tells which
// few rows are worth a search. A keyword is its leading blanks and then a first
// character; it can occur only where that character follows as many blanks (two at
// most are tracked, which any longer run includes). Rows that match in any case are
// entered under both cases of their letter. A keyword of blanks alone needs a run of
// that many blanks.
struct KeywordStarts {
  uint64_t anywhere[256];
  uint64_t after_one_blank[256];
  uint64_t after_two_blanks[256];
  uint64_t blanks_only[kLineSize];  // by the length of the run of blanks needed
  uint8_t mark_starts[256];         // bit m: mark text m begins with this character
};

constexpr KeywordStarts make_keyword_starts() {
  KeywordStarts starts = {};
  for (size_t r = 0; r < kRowCount; ++r) {
    const std::string_view keyword = kStatements[r].keyword;
    const uint64_t bit = uint64_t{1} << r;
    size_t lead = 0;
    while (lead < keyword.size() && keyword[lead] == ' ') ++lead;
    if (lead == keyword.size()) {
      starts.blanks_only[lead] |= bit;
      continue;
    }
    uint64_t* table = lead == 0   ? starts.anywhere
                      : lead == 1 ? starts.after_one_blank
                                  : starts.after_two_blanks;
    const char c = keyword[lead];
    table[static_cast<unsigned char>(c)] |= bit;
    if (kStatements[r].any_case && c >= 'a' && c <= 'z')
      table[static_cast<unsigned char>(c - 'a' + 'A')] |= bit;
  }
  for (size_t m = 0; m < kMarkTextCount; ++m)
    starts.mark_starts[static_cast<unsigned char>(kMarkTexts[m].text[0])] |= uint8_t(1u << m);
  return starts;
}

constexpr KeywordStarts kKeywordStarts = make_keyword_starts();

constexpr int longest_blank_keyword() {
  int longest = 0;
  for (const Row& row : kStatements)
    if (row.keyword.find_first_not_of(' ') == std::string_view::npos)
      longest = std::max(longest, static_cast<int>(row.keyword.size()));
  return longest;
}

// What a single pass over a line tells: the rows and the mark texts that may occur
// in it (supersets of those that do).
struct LineScan {
  uint64_t rows;
  uint32_t mark_texts;
};

LineScan scan_line(const char* line) {
  uint64_t rows = 0;
  uint32_t mark_texts = 0;
  int run = 0;
  int longest_run = 0;
  for (const char* p = line; *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    rows |= kKeywordStarts.anywhere[c];
    mark_texts |= kKeywordStarts.mark_starts[c];
    if (run >= 1) {
      rows |= kKeywordStarts.after_one_blank[c];
      if (run >= 2) rows |= kKeywordStarts.after_two_blanks[c];
    }
    if (c == ' ') {
      if (++run > longest_run) longest_run = run;
    } else {
      run = 0;
    }
  }
  const int needed = std::min(longest_run, longest_blank_keyword());
  for (int n = 1; n <= needed; ++n) rows |= kKeywordStarts.blanks_only[n];
  return {rows, mark_texts};
}

bool keyword_in_line(const Interpreter& it, const Row& row) {
  const char* haystack = row.any_case ? it.lowered : it.stread;
  return strstr(haystack, row.keyword.data()) != nullptr;
}

void lower_line(Interpreter& it) {
  int i = 0;
  for (; it.stread[i] != '\0'; ++i) {
    const char c = it.stread[i];
    it.lowered[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  it.lowered[i] = '\0';
}

}  // namespace

uint64_t rows_in_line(Interpreter& it, bool quick);

namespace {

// The rows among candidates whose keyword occurs in the line in stread.
uint64_t confirm_rows(Interpreter& it, uint64_t candidates) {
  if ((candidates & any_case_rows()) != 0) lower_line(it);
  uint64_t rows = 0;
  for (uint64_t left = candidates; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    if (static_cast<size_t>(r) < kRowCount && keyword_in_line(it, kStatements[r]))
      rows |= uint64_t{1} << r;
  }
  return rows;
}

// The rows, of those given, whose keyword's first character after its blanks occurs
// in the line at all: a cheap test that spares most searches on a line of blanks.
uint64_t rows_with_first_letter(const char* line, uint64_t rows) {
  for (uint64_t left = rows; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    const Row& row = kStatements[r];
    const size_t lead = row.keyword.find_first_not_of(' ');
    if (lead == std::string_view::npos) continue;
    const char c = row.keyword[lead];
    const bool letter = c >= 'a' && c <= 'z';
    if (strchr(line, c) == nullptr &&
        !(row.any_case && letter && strchr(line, c - 'a' + 'A') != nullptr))
      rows &= ~(uint64_t{1} << r);
  }
  return rows;
}

// The rows whose condition on the line's text holds, of those given.
uint64_t text_conditions_hold(const Interpreter& it, uint64_t rows) {
  for (uint64_t left = rows; left != 0; left &= left - 1) {
    const Row& row = kStatements[std::countr_zero(left)];
    if (row.text_condition != nullptr && !row.text_condition(it))
      rows &= ~(uint64_t{1} << std::countr_zero(left));
  }
  return rows;
}

// Everything the step takes from the text of the line in stread, searched afresh.
LineFacts learn_line(Interpreter& it) {
  const char* line = it.stread;
  LineFacts facts = {};
  while (line[facts.indent] == ' ' || line[facts.indent] == '\t') ++facts.indent;
  const LineScan scan = scan_line(line);
  for (size_t m = 0; m < kMarkTextCount; ++m) {
    if ((scan.mark_texts >> m & 1) != 0 && contains(line, kMarkTexts[m].text.data()))
      facts.marks |= kMarkTexts[m].mark;
  }
  if ((facts.marks & kMarkProgram) != 0 && strchr(line, ';') == nullptr)
    facts.marks &= ~kMarkProgram;  // "program" counts only with a ';' on the line
  if ((facts.marks & kMarkComment) != 0) return facts;  // no statement of it runs
  facts.rows = text_conditions_hold(it, confirm_rows(it, scan.rows));
  facts.texts = operator_texts(line);
  return facts;
}

}  // namespace

uint64_t rows_in_line(Interpreter& it, bool quick) {
  return confirm_rows(it, quick ? scan_line(it.stread).rows : ~uint64_t{0});
}

namespace {

// Reads the next line of fp into buf as fgets does (at most cap - 1 bytes, line end
// kept); false at the end. *taken is how many bytes it took from the stream, -1
// when that is not known. A line that lies whole in the stream's read buffer is
// copied straight out of it (the buffer pointers of glibc's FILE are what its own
// getc macro uses); otherwise fgets reads it, and the count is known unless a NUL
// byte hides part of the line.
bool next_line(FILE* fp, char* buf, int cap, long* taken) {
#ifdef __GLIBC__
  const char* begin = fp->_IO_read_ptr;
  const char* end = fp->_IO_read_end;
  if (begin != nullptr && end > begin) {
    const size_t limit = std::min(static_cast<size_t>(end - begin), static_cast<size_t>(cap - 1));
    const void* newline = memchr(begin, '\n', limit);
    size_t n = 0;
    if (newline != nullptr)
      n = static_cast<size_t>(static_cast<const char*>(newline) - begin) + 1;
    else if (limit == static_cast<size_t>(cap - 1))
      n = limit;
    if (n > 0) {
      memcpy(buf, begin, n);
      buf[n] = '\0';
      fp->_IO_read_ptr += n;
      *taken = static_cast<long>(n);
      return true;
    }
  }
#endif
  if (fgets_unlocked(buf, cap, fp) == nullptr) return false;
  const size_t length = strlen(buf);
  const bool whole =
      length == static_cast<size_t>(cap - 1) || (length > 0 && buf[length - 1] == '\n');
  // A line cut short of its line end ended at the file's end or at a NUL byte.
  *taken = whole ? static_cast<long>(length) : -1;
  return true;
}

// Reads the next script line into stread as read_script_line does, and tells how
// many bytes of stread it filled: the line's length, or more when a NUL byte ends
// the text early. The line cache keys by those bytes, which hold the whole text.
bool read_line_length(Interpreter& it, int* length) {
  if (it.fp == nullptr) return false;
  ++it.line_generation;
  it.line_start = it.script_at;
  long taken;
  if (!next_line(it.fp, it.stread, kLineSize, &taken)) return false;
  // The read position moves by what the line took; when that is not known, the
  // stream is asked.
  if (taken < 0) {
    it.script_at = ftell(it.fp);
    *length = static_cast<int>(strlen(it.stread));
    return true;
  }
  if (it.line_start >= 0) it.script_at = it.line_start + taken;
  *length = static_cast<int>(taken);
  return true;
}

}  // namespace

bool read_script_line(Interpreter& it) {
  int length;
  return read_line_length(it, &length);
}

long script_position(Interpreter& it) {
  return it.fp == nullptr ? -1 : it.script_at;
}

namespace {

// A loop's head usually lies in the part of the script that the stream still holds
// in its read buffer: moving the buffer's read pointer back is then the whole seek.
// The read pointer stands at script_at, which the line reads keep exact; a stream
// that reads from a pushed-back area, or has met its end or an error, takes the
// library's seek, which also clears those states.
bool seek_in_buffer(Interpreter& it, long position) {
#ifdef __GLIBC__
  // The stream's state bits (glibc's own values): end seen, error seen, and reading
  // from the pushed-back area.
  constexpr int kEofSeen = 0x10;
  constexpr int kErrSeen = 0x20;
  constexpr int kInBackup = 0x100;
  FILE* fp = it.fp;
  if (it.script_at < 0 || (fp->_flags & (kEofSeen | kErrSeen | kInBackup)) != 0) return false;
  const char* base = fp->_IO_read_base;
  const char* ptr = fp->_IO_read_ptr;
  const char* end = fp->_IO_read_end;
  if (base == nullptr || ptr < base || ptr > end) return false;
  const long back = it.script_at - position;  // how far before the read pointer
  if (back < 0 || back > ptr - base) return false;
  fp->_IO_read_ptr = fp->_IO_read_ptr - back;
  it.script_at = position;
  return true;
#else
  (void)it;
  (void)position;
  return false;
#endif
}

}  // namespace

void seek_script(Interpreter& it, long position) {
  if (it.fp == nullptr || position < 0) return;
  if (seek_in_buffer(it, position)) return;
  // A position that could not be taken leaves the read where it is: the loop then
  // runs on forward instead of back.
  if (fseek(it.fp, position, SEEK_SET) == 0) it.script_at = position;
}

namespace {

// The step over the line in stread, whose length is known.
void step_known_line(Interpreter& it, int length) {
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
  if (it.begin_found) pending &= ~declaration_rows();
  while (pending != 0) {
    const int r = std::countr_zero(pending);
    pending &= pending - 1;
    const Row& row = kStatements[r];
    if (row.condition != nullptr && !row.condition(it)) continue;
    row.action(it, it.indent + static_cast<int>(row.keyword.size()) - 2);
    if (it.line_generation != generation) {
      // The handler read further lines into stread: the rows after it are tested on
      // the new text, with the indent of the line the step began with.
      // A few rows are searched for directly; more are worth the quick pass first.
      generation = it.line_generation;
      uint64_t later = (~uint64_t{0} << (r + 1)) & all_rows();
      if (it.begin_found) later &= ~declaration_rows();
      later = std::popcount(later) > 4 ? later & scan_line(it.stread).rows
                                       : rows_with_first_letter(it.stread, later);
      pending = text_conditions_hold(it, confirm_rows(it, later));
    }
  }
  assign_step(it);
}

}  // namespace

void step_line(Interpreter& it) {
  step_known_line(it, static_cast<int>(strlen(it.stread)));
}

// Answered only for the exact single word, so every other command line (a script
// whose name begins "--", a first word with 'v' or 'm' second) keeps its meaning.
constexpr const char kUsage[] =
    "Usage: vp SCRIPT [-d]\n"
    "       vp -v\n"
    "       vp --help\n"
    "Runs SCRIPT, a program in the vp language, one line at a time.\n"
    "  -d      after the script: trace mode, a line for each decision taken\n"
    "          (starting the interpreter under the name vpdebug does the same)\n"
    "  -v      print the version and exit\n"
    "  --help  print this text and exit\n"
    "The manual page vp(1) tells more.\n";

int run(Interpreter& it, int argc, const char* const* argv) {
  if (argc == 2 && argv[1] != nullptr && strcmp(argv[1], "--help") == 0) {
    out_text(it, kUsage);
    return 0;
  }
  const char* program = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  if (strncmp(program, "./vpdebug", 7) == 0 || strncmp(program, "vpdebug", 5) == 0)
    it.debug_mode = 1;

  char path[kLineSize] = "";
  if (argc > 1) copy_cut(path, sizeof(path), argv[1]);
  const char* flag = argc > 2 ? argv[2] : "";

  // A web server always passes the page's path first, and a page under /var/www must
  // run, not answer with the version: the version requests are for people at a shell.
  const bool cgi = it.host.get_env("GATEWAY_INTERFACE") != nullptr;
  if (!cgi && path[0] != '\0' && path[1] == 'v') {
    out_format(it, "version = %s\n", kVersion);
    return 0;
  }
  if (!cgi && path[0] != '\0' && path[1] == 'm') {
    out_format(it, "Remember, we belong to God. version = %s\n", kVersion);
    return 0;
  }

  it.fp = argc > 1 ? it.host.open_script(path) : nullptr;
  if (it.fp == nullptr) {
    out_text(it, "VarnPascal:Sorry no file or flag specified\n");
    return 1;
  }
  it.script_at = ftell(it.fp);
  // Behind a web server the command line can come from the URL, so it may not
  // switch trace mode on there.
  if (!cgi && flag[0] != '\0' && flag[1] == 'd') it.debug_mode = 1;

  place_builtins(it);

  int length;
  while (read_line_length(it, &length)) {
    step_known_line(it, length);
    ++it.line_count;
    if (it.line_count >= it.line_cap || it.end_found) break;
  }
  fclose(it.fp);
  it.fp = nullptr;

  if (!it.program_found) {
    out_text(it,
             "Pascal Error - 'program' not found or not properly terminated\n"
             "  Format: \n"
             "  program [ProgramName]; \n");
  }
  if (!it.begin_found) out_text(it, "Pascal Error - 'begin' not found \n");
  if (!it.end_found) out_text(it, "Pascal Error - 'end.' not found or not properly terminated\n");
  trace(it, "**[MAIN] Pascal script Terminated\n");
  trace(it, "**[MAIN] Number of variables: %d\n", it.number_of_variables);
  close_text_file(it);
  return 0;
}

}  // namespace vp
