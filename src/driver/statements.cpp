// The statement table and the classification of a line: which rows' keywords occur
// in it (a one-pass prefilter, then a search to confirm), the frame marks it holds
// and its indent.
#include "vp/statements.hpp"

#include <algorithm>
#include <bit>

#include "vp/handlers.hpp"

namespace vp {

bool section_takes(Role role, const char* line, int block_type) {
  switch (role) {
    case Role::kVarMore:
      return strchr(line, ':') != nullptr && block_type == 1;
    case Role::kConstMore:
      return strchr(line, '=') != nullptr && block_type == 2;
    case Role::kLabelMore:
      return block_type == 3;
    default:
      return true;
  }
}

namespace {

constexpr bool kAnyCase = true;
constexpr bool kExact = false;

bool before_begin(const Interpreter& it) {
  return !it.begin_found;
}
bool var_continuation(const Interpreter& it) {
  return !it.begin_found && section_takes(Role::kVarMore, it.stread, it.block_type);
}
bool const_continuation(const Interpreter& it) {
  return !it.begin_found && section_takes(Role::kConstMore, it.stread, it.block_type);
}
bool label_continuation(const Interpreter& it) {
  return !it.begin_found && section_takes(Role::kLabelMore, it.stread, it.block_type);
}
bool while_less_line(const char* line) {
  return contains(line, " <") && contains(line, "do");
}
bool while_more_line(const char* line) {
  return contains(line, " >") && contains(line, "do");
}
bool while_count_line(const char* line) {
  return contains(line, "do");
}
// A condition joined with "and" is beyond the if statement: such a line is no if.
bool single_condition(const char* line) {
  return !contains(line, " and");
}

}  // namespace

constexpr Row kStatements[] = {
    {"  wround(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_wround(it, c); }},
    {"  wsqrt(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_wsqrt(it, c); }},
    {"  write(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_writeln(it, c); }, nullptr,
     false, Role::kWrite},
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
     },
     nullptr, false, Role::kWrite},
    {"  writewc(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_writewc(it, c); }},
    {"  read(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_read(it, c); }, nullptr,
     false, Role::kInput},
    {"  readln(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_read(it, c); }, nullptr,
     false, Role::kInput},
    {"  query_remote_web_client(", kAnyCase, nullptr,
     [](Interpreter& it, int) { query_remote_web_client(it); }},
    {"  read_version(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { v_pascal_read_version(it, c); }},
    {"  read_http_user_agent(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_http_user_agent(it, it.stread, c); }, nullptr, false,
     Role::kInput},
    {"  read_query_string(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_query_string(it, it.stread, c); }, nullptr, false,
     Role::kInput},
    {"  read_remote_addr(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_remote_addr(it, it.stread, c); }, nullptr, false,
     Role::kInput},
    {"  read_date(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_read_date(it, c); }},
    {"  read_content_length(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_content_length(it, it.stread, c); }, nullptr, false,
     Role::kInput},
    {"  halt;", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.stread); }},
    {"  halt(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.stread); }},
    {"  writewh(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_writewh(it); }},
    {"  closefile(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_closefile(it); }},
    {"  system('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.stread); }},
    {"  exec('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.stread); }},
    {"  delay(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_delay(it, it.stread); }},
    {"const", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, 1); }, nullptr, true,
     Role::kConstFirst},
    {"var ", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, 0); }, nullptr, true,
     Role::kVarFirst},
    {"   ", kExact, var_continuation, [](Interpreter& it, int) { pascal_var(it, 0); }, nullptr,
     true, Role::kVarMore},
    {"   ", kExact, const_continuation, [](Interpreter& it, int) { pascal_var(it, 1); }, nullptr,
     true, Role::kConstMore},
    {"   ", kExact, label_continuation, [](Interpreter& it, int) { pascal_label(it); }, nullptr,
     true, Role::kLabelMore},
    {"label ", kExact, before_begin, [](Interpreter& it, int) { pascal_label(it); }, nullptr, true,
     Role::kLabelFirst},
    {"  repeat", kExact, nullptr, [](Interpreter& it, int) { repeat_mark(it); }, nullptr, false,
     Role::kRepeat},
    {"  while ", kExact, nullptr, [](Interpreter& it, int) { while_less_head(it); },
     while_less_line, false, Role::kWhileLess},
    {"  while ", kExact, nullptr, [](Interpreter& it, int) { while_more_head(it); },
     while_more_line, false, Role::kWhileMore},
    {"  while count ", kExact, nullptr, [](Interpreter& it, int) { while_count_head(it); },
     while_count_line, false, Role::kWhileCount},
    {" end;", kExact, while_end_pending, [](Interpreter& it, int) { while_end(it); }, nullptr,
     false, Role::kLoopEnd},
    {"  if ", kExact, nullptr, [](Interpreter& it, int c) { pascal_if(it, c); }, single_condition,
     false, Role::kIf},
    {"  until ", kExact, nullptr, [](Interpreter& it, int c) { pascal_until(it, c); }, nullptr,
     false, Role::kUntil},
    {"  goto ", kExact, nullptr, [](Interpreter& it, int c) { pascal_goto(it, c); }, nullptr, false,
     Role::kGoto},
    // Extensions: after every row of the language, so that no script changes meaning.
    {"  read_form(", kAnyCase, nullptr, [](Interpreter& it, int c) { read_form(it, it.stread, c); },
     nullptr, false, Role::kForm},
    {"  read_cookie(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_cookie(it, it.stread, c); }, nullptr, false, Role::kForm},
};

constexpr int kRowCount = sizeof(kStatements) / sizeof(kStatements[0]);
static_assert(kRowCount <= 64, "one bit per row in LineFacts::rows");

namespace {

// The rows whose keyword matches in any case: only their tests need the lower-case
// copy of the line.
constexpr uint64_t any_case_rows() {
  uint64_t rows = 0;
  for (int r = 0; r < kRowCount; ++r)
    if (kStatements[r].any_case) rows |= uint64_t{1} << r;
  return rows;
}

constexpr uint64_t all_rows() {
  return kRowCount == 64 ? ~uint64_t{0} : (uint64_t{1} << kRowCount) - 1;
}

constexpr uint64_t declaration_rows() {
  uint64_t rows = 0;
  for (int r = 0; r < kRowCount; ++r)
    if (kStatements[r].declaration) rows |= uint64_t{1} << r;
  return rows;
}

}  // namespace

constexpr uint64_t kDeclarationRows = declaration_rows();

namespace {

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
  for (int r = 0; r < kRowCount; ++r) {
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

bool keyword_in_line(const char* line, const char* lowered, const Row& row) {
  return strstr(row.any_case ? lowered : line, row.keyword.data()) != nullptr;
}

void lower_line(const char* line, char* lowered) {
  int i = 0;
  for (; line[i] != '\0'; ++i) {
    const char c = line[i];
    lowered[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  lowered[i] = '\0';
}

// The rows among candidates whose keyword occurs in line; lowered receives the
// lower-case copy when a row needs it.
uint64_t confirm_rows(const char* line, char* lowered, uint64_t candidates) {
  if ((candidates & any_case_rows()) != 0) lower_line(line, lowered);
  uint64_t rows = 0;
  for (uint64_t left = candidates; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    if (r < kRowCount && keyword_in_line(line, lowered, kStatements[r])) rows |= uint64_t{1} << r;
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
uint64_t text_conditions_hold(const char* line, uint64_t rows) {
  for (uint64_t left = rows; left != 0; left &= left - 1) {
    const Row& row = kStatements[std::countr_zero(left)];
    if (row.text_condition != nullptr && !row.text_condition(line))
      rows &= ~(uint64_t{1} << std::countr_zero(left));
  }
  return rows;
}

}  // namespace

LineClass classify_line(const char* line, char* lowered) {
  LineClass c = {};
  while (line[c.indent] == ' ' || line[c.indent] == '\t') ++c.indent;
  const LineScan scan = scan_line(line);
  for (size_t m = 0; m < kMarkTextCount; ++m) {
    if ((scan.mark_texts >> m & 1) != 0 && contains(line, kMarkTexts[m].text.data()))
      c.marks |= kMarkTexts[m].mark;
  }
  if ((c.marks & kMarkProgram) != 0 && strchr(line, ';') == nullptr)
    c.marks &= ~kMarkProgram;                   // "program" counts only with a ';' on the line
  if ((c.marks & kMarkComment) != 0) return c;  // no statement of it runs
  c.keyword_rows = confirm_rows(line, lowered, scan.rows);
  c.rows = text_conditions_hold(line, c.keyword_rows);
  return c;
}

bool declaration_row_takes(int row, const char* line, int block_type) {
  return row >= 0 && row < kRowCount && kStatements[row].declaration &&
         section_takes(kStatements[row].role, line, block_type);
}

// Everything the step takes from the text of the line in stread, searched afresh.
LineFacts learn_line(Interpreter& it) {
  const LineClass c = classify_line(it.stread, it.lowered);
  LineFacts facts = {};
  facts.indent = c.indent;
  facts.marks = c.marks;
  if ((c.marks & kMarkComment) != 0) return facts;
  facts.rows = c.rows;
  facts.texts = operator_texts(it.stread);
  return facts;
}

uint64_t rows_in_line(Interpreter& it, bool quick) {
  return confirm_rows(it.stread, it.lowered, quick ? scan_line(it.stread).rows : ~uint64_t{0});
}

uint64_t rows_after(Interpreter& it, int row) {
  // A few rows are searched for directly; more are worth the quick pass first.
  uint64_t later = (~uint64_t{0} << (row + 1)) & all_rows();
  if (it.begin_found) later &= ~kDeclarationRows;
  later = std::popcount(later) > 4 ? later & scan_line(it.stread).rows
                                   : rows_with_first_letter(it.stread, later);
  return text_conditions_hold(it.stread, confirm_rows(it.stread, it.lowered, later));
}

}  // namespace vp
