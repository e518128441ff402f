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
    db_ = db;
  }
  sqlite3* Db() const { return db_; }
  // The compiled statement for sql, or null with *rc set to the compiler's error.
  sqlite3_stmt* Get(const char* sql, int* rc) {
    auto it = compiled_.find(sql);
    if (it != compiled_.end()) return it->second;
    sqlite3_stmt* stmt = nullptr;
    *rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (*rc != SQLITE_OK) {
      sqlite3_finalize(stmt);
      return nullptr;
    }
    compiled_.emplace(sql, stmt);
    return stmt;
  }
  // Forgets statements of a connection inherited across fork() without touching them.
  void Abandon() {
    compiled_.clear();
    db_ = nullptr;
  }
  void Clear() {
    for (auto& [sql, stmt] : compiled_) sqlite3_finalize(stmt);
    compiled_.clear();
    db_ = nullptr;
  }

private:
  sqlite3* db_ = nullptr;
  std::unordered_map<const char*, sqlite3_stmt*> compiled_;
};

// One use of a kept statement, reset when it goes. The first failure (compile or bind) is
// kept and returned by Step. Only one Statement of a given text may be alive at a time.
class Statement {
public:
  Statement(StatementCache& cache, const char* sql) : stmt_(cache.Get(sql, &rc_)) {}
  ~Statement() {
    if (stmt_ != nullptr) sqlite3_reset(stmt_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, std::int64_t value) {
    if (rc_ == SQLITE_OK) rc_ = sqlite3_bind_int64(stmt_, index, value);
    return *this;
  }
  Statement& BindText(int index, const std::string& text) {
    if (rc_ == SQLITE_OK)
      rc_ = sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
  }
  Statement& BindBlob(int index, const void* data, std::size_t size) {
    // A zero-length blob must still be a blob, not NULL.
    if (rc_ == SQLITE_OK)
      rc_ = size == 0 ? sqlite3_bind_zeroblob(stmt_, index, 0)
                       : sqlite3_bind_blob64(stmt_, index, data, size, SQLITE_TRANSIENT);
    return *this;
  }
  Statement& BindBlob(int index, std::string_view bytes) { return BindBlob(index, bytes.data(), bytes.size()); }
  // SQLITE_ROW, SQLITE_DONE or an error.
  int Step() {
    if (rc_ != SQLITE_OK) return rc_;
    return sqlite3_step(stmt_);
  }
  std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
  std::string Bytes(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return data != nullptr ? std::string(data, static_cast<std::size_t>(size)) : std::string();
  }
  std::wstring Text(int column) const;
  std::vector<BYTE> Blob(int column) const {
    const auto* data = static_cast<const BYTE*>(sqlite3_column_blob(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return data != nullptr ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
  }

private:
  int rc_ = SQLITE_OK;
  sqlite3_stmt* stmt_;
};

// BEGIN IMMEDIATE takes the write lock at once (waiting for another writer), so that a
// transaction never fails half-way because another process wrote first.
class Transaction {
public:
  explicit Transaction(StatementCache& cache) : cache_(cache) { rc_ = Statement(cache_, "BEGIN IMMEDIATE").Step(); }
  ~Transaction() {
    if (rc_ == SQLITE_DONE && !done_) Statement(cache_, "ROLLBACK").Step();
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  // SQLITE_OK once begun, else the error.
  int Began() const { return rc_ == SQLITE_DONE ? SQLITE_OK : rc_; }
  int Commit() {
    int rc = Statement(cache_, "COMMIT").Step();
    done_ = rc == SQLITE_DONE;
    return done_ ? SQLITE_OK : rc;
  }

private:
  StatementCache& cache_;
  int rc_;
  bool done_ = false;
};
}  // namespace orv::store
