#include "platform/store/detail/ChangeWatch.h"

#include <atomic>

namespace orv::store {
namespace {
constexpr int kIndexRegionBytes = 32768;  // the size of the WAL index's regions
constexpr int kCounterWord = 2;           // the change counter's place in the index header
}  // namespace

void ChangeWatch::Attach(StatementCache& statements, bool writable) {
  m_statements = &statements;
  m_index = nullptr;
  m_known = false;
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
  m_index = static_cast<const volatile std::uint32_t*>(region);
}

void ChangeWatch::Detach() {
  m_statements = nullptr;
  m_index = nullptr;
  m_known = false;
}

ChangeWatch::Header ChangeWatch::ReadHeader() const {
  Header header;
  for (std::size_t i = 0; i < header.size(); ++i) header[i] = m_index[i];
  std::atomic_thread_fence(std::memory_order_acquire);
  return header;
}

bool ChangeWatch::Changed() {
  if (m_index != nullptr) {
    Header header = ReadHeader();
    if (m_known && header == m_seen) return false;
    m_seen = header;
    m_known = true;
    return true;
  }
  if (m_statements == nullptr) return true;
  Statement version(*m_statements, "PRAGMA data_version");
  if (version.Step() != SQLITE_ROW) {
    m_known = false;
    return true;
  }
  std::int64_t now = version.Int(0);
  if (m_known && now == m_version) return false;
  m_version = now;
  m_known = true;
  return true;
}

std::uint32_t ChangeWatch::CounterNow() const { return m_index != nullptr ? m_index[kCounterWord] : 0; }

void ChangeWatch::Committed(std::uint32_t counterBefore) {
  // data_version leaves out this connection's own commits: nothing to learn.
  if (m_index == nullptr) return;
  Header header = ReadHeader();
  if (header[kCounterWord] == counterBefore + 1) {
    m_seen = header;
    m_known = true;
  } else {
    m_known = false;
  }
}
}  // namespace orv::store
