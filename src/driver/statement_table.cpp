// The statement table: every statement's keyword, how it matches, its conditions
// and its action, in the order the rows are tested; and the lookup tables that the
// classification of a line builds from it at compile time.
#include <algorithm>

#include "keyword_starts.hpp"
#include "vp/handlers.hpp"
#include "vp/interpreter.hpp"

namespace vp {

bool section_takes(Role role, const char* line, Block block) {
  switch (role) {
    case Role::kVarMore:
      return strchr(line, ':') != nullptr && block == Block::var;
    case Role::kConstMore:
      return strchr(line, '=') != nullptr && block == Block::constant;
    case Role::kLabelMore:
      return block == Block::label;
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
  return !it.begin_found && section_takes(Role::kVarMore, it.line, it.block);
}
bool const_continuation(const Interpreter& it) {
  return !it.begin_found && section_takes(Role::kConstMore, it.line, it.block);
}
bool label_continuation(const Interpreter& it) {
  return !it.begin_found && section_takes(Role::kLabelMore, it.line, it.block);
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
    {"  delete(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_delete(it, it.line, c); }},
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
     [](Interpreter& it, int c) { read_http_user_agent(it, it.line, c); }, nullptr, false,
     Role::kInput},
    {"  read_query_string(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_query_string(it, it.line, c); }, nullptr, false,
     Role::kInput},
    {"  read_remote_addr(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_remote_addr(it, it.line, c); }, nullptr, false,
     Role::kInput},
    {"  read_date(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_read_date(it, c); }},
    {"  read_content_length(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_content_length(it, it.line, c); }, nullptr, false,
     Role::kInput},
    {"  halt;", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.line); }},
    {"  halt(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.line); }},
    {"  writewh(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_writewh(it); }},
    {"  closefile(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_closefile(it); }},
    {"  system('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.line); }},
    {"  exec('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.line); }},
    {"  delay(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_delay(it, it.line); }},
    {"const", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, true); }, nullptr,
     true, Role::kConstFirst},
    {"var ", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, false); }, nullptr,
     true, Role::kVarFirst},
    {"   ", kExact, var_continuation, [](Interpreter& it, int) { pascal_var(it, false); }, nullptr,
     true, Role::kVarMore},
    {"   ", kExact, const_continuation, [](Interpreter& it, int) { pascal_var(it, true); }, nullptr,
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
    {"  read_form(", kAnyCase, nullptr, [](Interpreter& it, int c) { read_form(it, it.line, c); },
     nullptr, false, Role::kForm},
    {"  read_cookie(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_cookie(it, it.line, c); }, nullptr, false, Role::kForm},
};

constexpr int kRowCount = sizeof(kStatements) / sizeof(kStatements[0]);
static_assert(kRowCount <= 64, "one bit per row in LineFacts::rows");

namespace {

constexpr uint64_t rows_where(bool (*has)(const Row&)) {
  uint64_t rows = 0;
  for (int r = 0; r < kRowCount; ++r)
    if (has(kStatements[r])) rows |= uint64_t{1} << r;
  return rows;
}

// A keyword is its leading blanks and then a first character; it can occur only
// where that character follows as many blanks (two at most are tracked, which any
// longer run includes). Rows that match in any case are entered under both cases of
// their letter. A keyword of blanks alone needs a run of that many blanks.
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
  for (int m = 0; m < kMarkTextCount; ++m)
    starts.mark_starts[static_cast<unsigned char>(kMarkTexts[m].text[0])] |= uint8_t(1u << m);
  return starts;
}

}  // namespace

constexpr uint64_t kDeclarationRows = rows_where([](const Row& row) { return row.declaration; });
constexpr uint64_t kAnyCaseRows = rows_where([](const Row& row) { return row.any_case; });
constexpr uint64_t kAllRows = kRowCount == 64 ? ~uint64_t{0} : (uint64_t{1} << kRowCount) - 1;
constexpr KeywordStarts kKeywordStarts = make_keyword_starts();
constexpr int kLongestBlankKeyword = [] {
  int longest = 0;
  for (const Row& row : kStatements)
    if (row.keyword.find_first_not_of(' ') == std::string_view::npos)
      longest = std::max(longest, static_cast<int>(row.keyword.size()));
  return longest;
}();

}  // namespace vp
