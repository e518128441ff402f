#include "platform/store/detail/IniCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>

namespace orv::ini {
namespace {
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modified = 0;  // ns since the epoch
  long long changed = 0;
  bool coarse = false;     // the stamps have no sub-second part
  bool operator==(const FileStamp& o) const {
    return device == o.device && inode == o.inode && size == o.size && modified == o.modified && changed == o.changed;
  }
};

long long Nanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

FileStamp StampOf(const struct stat& st) {
  return FileStamp{st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim),
                   st.st_mtim.tv_nsec == 0 && st.st_ctim.tv_nsec == 0};
}

long long Now() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return Nanoseconds(t);
}

// Whether a change made after `readAt` would show in the stamps: the change time of the
// content read lies more than a clock tick before it.
bool Settled(const FileStamp& stamp, long long readAt) {
  return stamp.changed + (stamp.coarse ? kCoarseSettleNs : kSettleNs) < readAt;
}

struct Entry {
  FileStamp stamp;
  std::string bytes;
  std::shared_ptr<const IniDocument> document;
  bool settled = false;
  unsigned long long used = 0;
};

class Cache {
public:
  std::shared_ptr<const IniDocument> Find(const FileStamp& stamp) {
    std::lock_guard guard(lock_);
    auto it = entries_.find({stamp.device, stamp.inode});
    if (it == entries_.end() || !(it->second.stamp == stamp) || !it->second.settled) return nullptr;
    it->second.used = ++clock_;
    return it->second.document;
  }

  // Keeps what was read (or written); a copy of the same bytes keeps its parse.
  std::shared_ptr<const IniDocument> Put(const FileStamp& stamp, std::string bytes, bool settled,
                                         std::optional<IniDocument> parsed) {
    std::lock_guard guard(lock_);
    auto key = std::make_pair(stamp.device, stamp.inode);
    auto it = entries_.find(key);
    std::shared_ptr<const IniDocument> document;
    if (it != entries_.end() && !parsed && it->second.bytes == bytes) document = it->second.document;
    if (document == nullptr) {
      IniDocument made = parsed ? std::move(*parsed) : IniDocument::Parse(bytes);
      made.BuildIndex();
      document = std::make_shared<const IniDocument>(std::move(made));
    }
    Drop(key);
    if (bytes.size() <= kCachedBytes / 2) {
      bytes_ += bytes.size();
      entries_[key] = Entry{stamp, std::move(bytes), document, settled, ++clock_};
      Trim();
    }
    return document;
  }

  void Forget(dev_t device, ino_t inode) {
    std::lock_guard guard(lock_);
    Drop({device, inode});
  }

private:
  using Key = std::pair<dev_t, ino_t>;
  void Drop(const Key& key) {
    auto it = entries_.find(key);
    if (it == entries_.end()) return;
    bytes_ -= it->second.bytes.size();
    entries_.erase(it);
  }
  void Trim() {
    while (entries_.size() > kCachedFiles || bytes_ > kCachedBytes) {
      auto oldest = entries_.begin();
      for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (it->second.used < oldest->second.used) oldest = it;
      Drop(oldest->first);
    }
  }

  std::mutex lock_;
  std::map<Key, Entry> entries_;
  std::size_t bytes_ = 0;
  unsigned long long clock_ = 0;
};

Cache& Files() {
  static Cache cache;
  return cache;
}

bool ReadAll(int fd, std::string* bytes) {
  char chunk[65536];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes->append(chunk, static_cast<std::size_t>(n));
  }
}
}  // namespace

std::shared_ptr<const IniDocument> CurrentDocument(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
  if (auto known = Files().Find(StampOf(st))) return known;

  long long readAt = Now();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    Files().Forget(st.st_dev, st.st_ino);
    return nullptr;
  }
  struct stat before {}, after {};
  std::string bytes;
  bool ok = fstat(fd, &before) == 0 && ReadAll(fd, &bytes) && fstat(fd, &after) == 0;
  close(fd);
  if (!ok) {
    Files().Forget(st.st_dev, st.st_ino);
    return nullptr;
  }
  FileStamp stamp = StampOf(before);
  // Only plain files that held still while being read are kept.
  if (!S_ISREG(before.st_mode) || !(stamp == StampOf(after))) {
    Files().Forget(stamp.device, stamp.inode);
    IniDocument document = IniDocument::Parse(bytes);
    return std::make_shared<const IniDocument>(std::move(document));
  }
  return Files().Put(stamp, std::move(bytes), Settled(stamp, readAt), std::nullopt);
}

void RememberWritten(const std::string& path, std::string bytes, IniDocument document) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  // Just written, so not settled: the next read compares the bytes.
  Files().Put(StampOf(st), std::move(bytes), false, std::move(document));
}
}  // namespace orv::ini
