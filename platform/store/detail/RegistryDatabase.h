#pragma once
// One registry root kept in one SQLite database file.
//
// Keys form a tree of rows (the root is row 1); values belong to a key. Every change runs in
// its own immediate transaction, so several processes can share the file (WAL mode, and a
// writer waits up to the busy timeout for another one). Until the file exists, reads answer
// as for an empty root and the first write creates it with its folders.
//
// A damaged file, or a file that is not one of our stores, is reported once through the
// message sink and renamed to "<file>.damaged-<timestamp>"; the root then starts empty.
// When even the rename fails the root stays empty for reads and refuses writes. The caller
// serialises access to one Database.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/WinError.h"

struct sqlite3;

namespace orv::store {
using KeyId = std::int64_t;
inline constexpr KeyId kRootKey = 1;

struct ValueRecord {
  std::wstring name;
  DWORD type = 0;
  std::vector<BYTE> data;
};

struct SubkeyRecord {
  std::wstring name;
  std::int64_t lastWrite = 0;  // FILETIME ticks: 100 ns since 1601-01-01 UTC
};

class Database {
public:
  explicit Database(std::string path);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& Path() const { return m_path; }
  // Changes whenever the rows of earlier key ids stop meaning anything (another file,
  // a damaged file replaced by a fresh one).
  std::uint64_t Generation() const { return m_generation; }
  // Drops a connection inherited across fork() without touching it; the next call opens
  // the file again in this process.
  void ForgetAfterFork();

  // ERROR_SUCCESS when the key exists, ERROR_KEY_DELETED when it does not.
  LSTATUS CheckKey(KeyId key);
  LSTATUS FindSubkey(KeyId parent, const std::wstring& name, KeyId* child);
  LSTATUS CreateSubkeys(KeyId parent, const std::vector<std::wstring>& path, KeyId* last, bool* created);
  LSTATUS SubkeyAt(KeyId parent, DWORD index, SubkeyRecord* out);
  // Deletes a key (not the root); with subtree false only when it has no subkeys.
  LSTATUS DeleteKey(KeyId key, bool subtree);

  LSTATUS GetValue(KeyId key, const std::wstring& name, ValueRecord* out);
  LSTATUS ValueAt(KeyId key, DWORD index, ValueRecord* out);
  LSTATUS SetValue(KeyId key, const std::wstring& name, DWORD type, const BYTE* data, DWORD size);
  LSTATUS DeleteValue(KeyId key, const std::wstring& name);

  // Between BeginBatch and EndBatch every change joins one transaction, begun at the first
  // change; EndBatch commits it or rolls all of it back.
  void BeginBatch() { m_batch = true; }
  LSTATUS EndBatch(bool commit);

private:
  enum class State { Closed, Open, ReadOnly, Unusable };
  class Statement;
  class Transaction;

  // Opens the file when needed; `forWrite` creates it. ERROR_FILE_NOT_FOUND: no file yet.
  LSTATUS Ensure(bool forWrite);
  LSTATUS OpenFile(bool create);
  bool SetUpSchema(std::string* problem);
  void Close();
  // Maps an SQLite result to a registry error; a damaged file is handled on the way.
  LSTATUS Fail(int sqliteResult);
  LSTATUS FailStatus(int sqliteResult);
  LSTATUS ReadOnlyRefusal();
  void HandleDamage(const std::string& problem);
  void TouchKey(KeyId key);

  // Runs a read; with no file (or an unusable one) returns `empty` instead.
  template <typename Fn>
  LSTATUS Read(LSTATUS empty, Fn&& fn);
  // Runs a change to `key` in an immediate transaction; when the file turns out damaged,
  // once more on the fresh file if `key` is the root (other keys are gone with the file).
  template <typename Fn>
  LSTATUS Write(KeyId key, Fn&& fn);

  std::string m_path;
  sqlite3* m_db = nullptr;
  State m_state = State::Closed;
  std::uint64_t m_generation;
  std::string m_pendingDamage;  // set by Fail, handled once the statements are gone
  bool m_batch = false;
  bool m_batchOpen = false;  // the batch's transaction has begun
};

// The system's reason for the last failure of a store, when it had one ("" otherwise), and
// the registry error it was reported as.
struct StoreFailure {
  LSTATUS status = ERROR_SUCCESS;
  std::string reason;
};
StoreFailure& LastStoreFailure();
}  // namespace orv::store
