// The variable table's shared routines, the built-in variables and the two host
// readers that give them their values.
#include "vp/handlers.hpp"
#include "vp/warnings.hpp"

namespace vp {

int find_variable(const Interpreter& it, const char* name) {
  const NameIndex& index = it.vars.index;
  if (index.built) {
    const unsigned char first = static_cast<unsigned char>(name[0]);
    if (first == 0) return index.first_free;
    for (int s = index.head[first]; s != 0; s = index.next[s - 1])
      if (strcmp(it.vars.names[s - 1] + 1, name + 1) == 0) return s - 1;
    return -1;
  }
  for (int slot = 0; slot < kSlots; ++slot)
    if (strcmp(it.vars.names[slot], name) == 0) return slot;
  return -1;
}

int lookup_variable(Interpreter& it, const char* name) {
  const int slot = find_variable(it, name);
  if (slot < 0 && name[0] != '\0') warn(it, "no variable is named '%s'", name);
  return slot;
}

void freeze_names(Interpreter& it) {
  NameIndex& index = it.vars.index;
  memset(index.head, 0, sizeof(index.head));
  index.first_free = -1;
  // Downward, so that every list comes out ascending.
  unsigned char named_down[kSlots];
  int count = 0;
  for (int slot = kSlots - 1; slot >= 0; --slot) {
    const unsigned char first = static_cast<unsigned char>(it.vars.names[slot][0]);
    if (first == 0) {
      index.first_free = slot;
      continue;
    }
    named_down[count++] = static_cast<unsigned char>(slot);
    index.next[slot] = index.head[first];
    index.head[first] = static_cast<unsigned short>(slot + 1);
  }
  memset(index.starts_with, 0, sizeof(index.starts_with));
  for (int i = 0; i < count; ++i) {
    const int slot = named_down[count - 1 - i];
    index.named[i] = static_cast<unsigned char>(slot);
    index.index_of[slot] = static_cast<unsigned char>(i);
    if (i < 64)
      index.starts_with[static_cast<unsigned char>(it.vars.names[slot][0])] |= uint64_t{1} << i;
  }
  index.named_count = count;
  index.numeral_names = false;
  for (int i = 0; i < count; ++i)
    if (numeral_char(it.vars.names[index.named[i]][0])) index.numeral_names = true;
  index.built = true;
}

void set_value(Interpreter& it, int slot, const char* text) {
  copy_cut(it.vars.values[slot], kValueSize, text);
}

namespace {

void place(Interpreter& it, int slot, const char* name, VarType type) {
  copy_cut(it.vars.names[slot], kNameSize, name);
  it.vars.types[slot] = type;
}

struct ProbeFile {
  const char* path;
  const char* system_name;
  bool read_line;  // else the description is the system name itself
};

// Tried in this order; the last one present decides.
constexpr ProbeFile kProbeFiles[] = {
    {"/etc/redhat-release", "redhat", true},
    {"/etc/mandrake-release", "mandrake", true},
    {"/etc/SuSe-release", "suse", true},
    {"C:\\Windows\\win.ini", "Microsoft Windows", false},
    {"/etc/slackware-release", "slackware", true},
    {"/etc/debian_version", "debian", true},
    {"/usr/bin/smit", "aix", false},
};

}  // namespace

void get_system(Interpreter& it, char* name, int name_size, char* description,
                int description_size) {
  copy_cut(name, name_size, "NULL");
  copy_cut(description, description_size, "NULL");
  for (const ProbeFile& f : kProbeFiles) {
    char line[100];
    int got = it.host.probe_file(f.path, line, f.read_line ? static_cast<int>(sizeof(line)) : 0);
    if (got < 0) continue;
    copy_cut(name, name_size, f.system_name);
    if (!f.read_line)
      copy_cut(description, description_size, f.system_name);
    else if (got > 0)
      copy_cut(description, description_size, line);
  }
}

const char* get_dir(Interpreter& it, char* buf, int size) {
  if (!it.host.get_cwd(buf, static_cast<size_t>(size))) {
    out_text(it, "Pascal Error: 015 getcwd() error");
    return nullptr;
  }
  trace(it, "**[GetDir] Current working dir: '%s'\n", buf);
  trace(it, "**[GetDir ck2] Current working dir: '%s'\n", buf);
  return buf;
}

void refresh_dir(Interpreter& it, int slot) {
  char dir[259];
  const char* got = get_dir(it, dir, sizeof(dir));
  if (got == nullptr) return;  // the variable keeps what it held
  set_value(it, slot, got);
  trace(it, "**[Main] fun system return '%s' \n", got);
  trace(it, "**[Main] var system return '%s' \n", it.vars.values[slot]);
}

const Builtin kBuiltins[kBuiltinCount] = {
    {kSlotCwd, "SYSTEM.cwd", VarType::string},
    {kSlotReturn, "XVALUE.return", VarType::integer},
    {kSlotPi, "PI", VarType::real},
    {kSlotOs, "SYSTEM.os", VarType::string},
    {kSlotInfo, "SYSTEM.info", VarType::string},
    {kSlotCurrentDir, "GetCurrentDir", VarType::string},
};

void place_builtins(Interpreter& it) {
  for (const Builtin& b : kBuiltins) place(it, b.slot, b.name, b.type);
  set_value(it, kSlotPi, "3.14159265");
  char name[32];
  char description[100];
  get_system(it, name, sizeof(name), description, sizeof(description));
  set_value(it, kSlotOs, name);
  set_value(it, kSlotInfo, description);
}

}  // namespace vp
