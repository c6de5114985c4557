// read_version and read_date: the interpreter's version and the local date and time,
// stored as text in a variable.
#include <ctime>

#include "vp/handlers.hpp"
#include "vp/scan.hpp"

namespace vp {

namespace {

// The local time in the fixed 24-character form with its line end ("Sun Sep 16
// 01:03:52 1973\n"). Formatted here rather than by asctime, whose buffer a year past
// 9999 would overrun; the text is the same for every real date.
void date_text(Interpreter& it, char* buf, int size) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const time_t now = it.host.now();
  struct tm local;
  if (localtime_r(&now, &local) == nullptr || local.tm_wday < 0 || local.tm_wday > 6 ||
      local.tm_mon < 0 || local.tm_mon > 11) {
    buf[0] = '\0';
    return;
  }
  snprintf(buf, static_cast<size_t>(size), "%.3s %.3s%3d %.2d:%.2d:%.2d %ld\n",
           kDays[local.tm_wday], kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min,
           local.tm_sec, 1900L + local.tm_year);
}

}  // namespace

void v_pascal_read_version(Interpreter& it, int column) {
  const LineView line(it.line);
  Text<kNameSize> name;
  if (collect_name(line, column, ")", &name) < 0) return;
  const int slot = lookup_variable(it, name.c_str());
  if (slot >= 0) set_value(it, slot, kVersion);
}

void v_pascal_read_date(Interpreter& it, int column) {
  const LineView line(it.line);
  Text<kNameSize> name;
  const int end = collect_name(line, column, ")[", &name);
  if (end < 0) return;
  const int slot = lookup_variable(it, name.c_str());
  if (slot < 0) return;

  char date[64];
  date_text(it, date, sizeof(date));
  if (line[end] == '[')
    cut_range(it.vars.values[slot], kValueSize, date, read_fixed_range(line, end));
  else
    set_value(it, slot, date);
}

}  // namespace vp
