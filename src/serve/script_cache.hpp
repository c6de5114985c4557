// The bytes of the scripts a worker has served, kept across requests: a page asked
// for again is read from memory, not from the disk. An entry answers only while the
// file's identity, size and modification time stay as they were when it was read,
// so a changed script is read anew.
#pragma once

#include <sys/stat.h>

#include <string>

#include "vp/host.hpp"

#ifndef VP_SCRIPT_CACHE_ENTRIES
#define VP_SCRIPT_CACHE_ENTRIES 32
#endif

namespace vp {

class ScriptCache {
 public:
  static constexpr int kEntries = VP_SCRIPT_CACHE_ENTRIES;
  static_assert(kEntries > 0, "the cache needs an entry");
  // Larger scripts are read from the file at every request instead.
  static constexpr long kMaxBytes = 1 << 20;

  // The bytes of the script at path: from memory when the file is as it was when
  // read, else read anew; *id is the file's identity. nullptr when the file is
  // missing or not worth keeping (status() tells which): it is then read from the
  // file as it stands. The bytes stay until the next call.
  const std::string* open(const char* path, FileIdentity* id);

  // How the last open was answered.
  enum class Status { kHit, kLoaded, kUncached, kMissing };
  Status status() const { return status_; }

  // Forgets every script.
  void reset();

 private:
  struct Entry {
    std::string path;  // empty for an unused entry
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified = {};
    unsigned long last_use = 0;
    std::string bytes;
  };

  Entry* find(const char* path, const struct stat& file);
  Entry* victim();
  bool load(Entry& entry, const char* path);

  Entry entries_[kEntries];
  unsigned long uses_ = 0;
  Status status_ = Status::kMissing;
};

}  // namespace vp
