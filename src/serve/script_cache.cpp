// The script cache: one lookup by path that checks the file's identity, size and
// modification time, a least recently used entry to replace, and a reset.
#include "script_cache.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vp {

namespace {

bool same_time(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

ScriptCache::Entry* ScriptCache::find(const char* path, const struct stat& file) {
  for (Entry& entry : entries_) {
    if (entry.path != path) continue;
    if (entry.device == file.st_dev && entry.inode == file.st_ino && entry.size == file.st_size &&
        same_time(entry.modified, file.st_mtim))
      return &entry;
    entry.path.clear();  // the file has changed: its old bytes answer no more
  }
  return nullptr;
}

ScriptCache::Entry* ScriptCache::victim() {
  Entry* oldest = &entries_[0];
  for (Entry& entry : entries_) {
    if (entry.path.empty()) return &entry;
    if (entry.last_use < oldest->last_use) oldest = &entry;
  }
  return oldest;
}

// Reads the file into entry, keyed by what the open file says of itself; false when
// it cannot be read whole, or is no plain file of a size worth keeping.
bool ScriptCache::load(Entry& entry, const char* path) {
  entry.path.clear();
  int fd;
  do {
    fd = ::open(path, O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat file;
  bool ok = fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && file.st_size <= kMaxBytes;
  if (ok) {
    entry.bytes.resize(static_cast<size_t>(file.st_size));
    size_t got = 0;
    while (got < entry.bytes.size()) {
      const ssize_t n = ::read(fd, entry.bytes.data() + got, entry.bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    ok = got == entry.bytes.size();  // a file cut short while read is read again
  }
  ::close(fd);
  if (!ok) return false;
  entry.path = path;
  entry.device = file.st_dev;
  entry.inode = file.st_ino;
  entry.size = file.st_size;
  entry.modified = file.st_mtim;
  return true;
}

const std::string* ScriptCache::open(const char* path, FileIdentity* id) {
  struct stat file;
  if (stat(path, &file) != 0) {
    status_ = Status::kMissing;
    return nullptr;
  }
  Entry* entry = find(path, file);
  status_ = Status::kHit;
  if (entry == nullptr) {
    entry = victim();
    status_ = Status::kLoaded;
    if (!load(*entry, path)) {
      // A folder, a device, a huge or a changing file: read as a CGI run would.
      status_ = Status::kUncached;
      return nullptr;
    }
  }
  entry->last_use = ++uses_;
  id->device = static_cast<unsigned long long>(entry->device);
  id->inode = static_cast<unsigned long long>(entry->inode);
  id->regular = true;  // only plain files are kept
  return &entry->bytes;
}

void ScriptCache::reset() {
  for (Entry& entry : entries_) {
    entry.path.clear();
    entry.bytes.clear();
    entry.bytes.shrink_to_fit();
  }
  status_ = Status::kMissing;
}

}  // namespace vp
