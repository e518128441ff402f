#include "platform/store/detail/ChangeWatch.h"

#include <atomic>

namespace orv::store {
namespace {
constexpr int kIndexRegionBytes = 32768;  // the size of the WAL index's regions
constexpr int kCounterWord = 2;           // the change counter's place in the index header
}  // namespace

void ChangeWatch::Attach(StatementCache& statements, bool writable) {
  statements_ = &statements;
  index_ = nullptr;
  known_ = false;
  if (!writable) return;
  {
    Statement mode(statements, "PRAGMA journal_mode");
    if (mode.Step() != SQLITE_ROW || mode.Text(0) != L"wal") return;
  }
  // A read maps the index's first region, which holds the header.
  if (Statement(statements, "PRAGMA schema_version").Step() != SQLITE_ROW) return;
  sqlite3_file* file = nullptr;
  if (sqlite3_file_control(statements.Db(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
      file == nullptr || file->pMethods == nullptr || file->pMethods->iVersion < 2 || file->pMethods->xShmMap == nullptr)
    return;
  volatile void* region = nullptr;
  if (file->pMethods->xShmMap(file, 0, kIndexRegionBytes, 0, &region) != SQLITE_OK || region == nullptr) return;
  index_ = static_cast<const volatile std::uint32_t*>(region);
}

void ChangeWatch::Detach() {
  statements_ = nullptr;
  index_ = nullptr;
  known_ = false;
}

ChangeWatch::Header ChangeWatch::ReadHeader() const {
  Header header;
  for (std::size_t i = 0; i < header.size(); ++i) header[i] = index_[i];
  std::atomic_thread_fence(std::memory_order_acquire);
  return header;
}

bool ChangeWatch::Changed() {
  if (index_ != nullptr) {
    Header header = ReadHeader();
    if (known_ && header == seen_) return false;
    seen_ = header;
    known_ = true;
    return true;
  }
  if (statements_ == nullptr) return true;
  Statement version(*statements_, "PRAGMA data_version");
  if (version.Step() != SQLITE_ROW) {
    known_ = false;
    return true;
  }
  std::int64_t now = version.Int(0);
  if (known_ && now == version_) return false;
  version_ = now;
  known_ = true;
  return true;
}

std::uint32_t ChangeWatch::CounterNow() const { return index_ != nullptr ? index_[kCounterWord] : 0; }

void ChangeWatch::Committed(std::uint32_t counterBefore) {
  // data_version leaves out this connection's own commits: nothing to learn.
  if (index_ == nullptr) return;
  Header header = ReadHeader();
  if (header[kCounterWord] == counterBefore + 1) {
    seen_ = header;
    known_ = true;
  } else {
    known_ = false;
  }
}
}  // namespace orv::store
