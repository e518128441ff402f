#pragma once
// Prepared statements of one registry connection. Each SQL text is compiled once and kept
// for the life of the connection: compiling costs far more than running the small look-ups
// of the store. Statements are found by the address of their text, so the texts are string
// literals or other constants that live as long as the program.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/base/WinTypes.h"

namespace orv::store {
class StatementCache {
public:
  StatementCache() = default;
  ~StatementCache() { Clear(); }
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  void Attach(sqlite3* db) {
    Clear();
    m_db = db;
  }
  sqlite3* Db() const { return m_db; }
  // The compiled statement for sql, or null with *rc set to the compiler's error.
  sqlite3_stmt* Get(const char* sql, int* rc) {
    auto it = m_compiled.find(sql);
    if (it != m_compiled.end()) return it->second;
    sqlite3_stmt* stmt = nullptr;
    *rc = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (*rc != SQLITE_OK) {
      sqlite3_finalize(stmt);
      return nullptr;
    }
    m_compiled.emplace(sql, stmt);
    return stmt;
  }
  // Forgets statements of a connection inherited across fork() without touching them.
  void Abandon() {
    m_compiled.clear();
    m_db = nullptr;
  }
  void Clear() {
    for (auto& [sql, stmt] : m_compiled) sqlite3_finalize(stmt);
    m_compiled.clear();
    m_db = nullptr;
  }

private:
  sqlite3* m_db = nullptr;
  std::unordered_map<const char*, sqlite3_stmt*> m_compiled;
};

// One use of a kept statement, reset when it goes. The first failure (compile or bind) is
// kept and returned by Step. Only one Statement of a given text may be alive at a time.
class Statement {
public:
  Statement(StatementCache& cache, const char* sql) : m_stmt(cache.Get(sql, &m_rc)) {}
  ~Statement() {
    if (m_stmt != nullptr) sqlite3_reset(m_stmt);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, std::int64_t value) {
    if (m_rc == SQLITE_OK) m_rc = sqlite3_bind_int64(m_stmt, index, value);
    return *this;
  }
  Statement& BindText(int index, const std::string& text) {
    if (m_rc == SQLITE_OK)
      m_rc = sqlite3_bind_text64(m_stmt, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
  }
  Statement& BindBlob(int index, const void* data, std::size_t size) {
    // A zero-length blob must still be a blob, not NULL.
    if (m_rc == SQLITE_OK)
      m_rc = size == 0 ? sqlite3_bind_zeroblob(m_stmt, index, 0)
                       : sqlite3_bind_blob64(m_stmt, index, data, size, SQLITE_TRANSIENT);
    return *this;
  }
  Statement& BindBlob(int index, std::string_view bytes) { return BindBlob(index, bytes.data(), bytes.size()); }
  // SQLITE_ROW, SQLITE_DONE or an error.
  int Step() {
    if (m_rc != SQLITE_OK) return m_rc;
    return sqlite3_step(m_stmt);
  }
  std::int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
  std::string Bytes(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    return data != nullptr ? std::string(data, static_cast<std::size_t>(size)) : std::string();
  }
  std::wstring Text(int column) const;
  std::vector<BYTE> Blob(int column) const {
    const auto* data = static_cast<const BYTE*>(sqlite3_column_blob(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    return data != nullptr ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
  }

private:
  int m_rc = SQLITE_OK;
  sqlite3_stmt* m_stmt;
};

// BEGIN IMMEDIATE takes the write lock at once (waiting for another writer), so that a
// transaction never fails half-way because another process wrote first.
class Transaction {
public:
  explicit Transaction(StatementCache& cache) : m_cache(cache) { m_rc = Statement(m_cache, "BEGIN IMMEDIATE").Step(); }
  ~Transaction() {
    if (m_rc == SQLITE_DONE && !m_done) Statement(m_cache, "ROLLBACK").Step();
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  // SQLITE_OK once begun, else the error.
  int Began() const { return m_rc == SQLITE_DONE ? SQLITE_OK : m_rc; }
  int Commit() {
    int rc = Statement(m_cache, "COMMIT").Step();
    m_done = rc == SQLITE_DONE;
    return m_done ? SQLITE_OK : rc;
  }

private:
  StatementCache& m_cache;
  int m_rc;
  bool m_done = false;
};
}  // namespace orv::store
