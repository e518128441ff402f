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
//
// Reads are answered from what this connection read before (RegistryCache) as long as no
// other connection has committed since (ChangeWatch); the connection's own changes keep
// that copy up to date. A batch (BeginBatch .. EndBatch) runs many changes in one
// transaction, each change still all or nothing on its own; it commits every
// kBatchChanges changes so that other processes are not kept waiting.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinError.h"

struct sqlite3;

namespace orv::store {
class ChangeWatch;
class RegistryCache;
class StatementCache;
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

  const std::string& Path() const { return path_; }
  // Changes whenever the rows of earlier key ids stop meaning anything (another file,
  // a damaged file replaced by a fresh one).
  std::uint64_t Generation() const { return generation_; }
  // Drops a connection inherited across fork() without touching it; the next call opens
  // the file again in this process.
  void ForgetAfterFork();

  // ERROR_SUCCESS when the key exists, ERROR_KEY_DELETED when it does not.
  LSTATUS CheckKey(KeyId key);
  LSTATUS FindSubkey(KeyId parent, std::wstring_view name, KeyId* child);
  // The key at a path of names separated by backslashes below `from` (see SplitKeyPath).
  LSTATUS FindPath(KeyId from, const wchar_t* path, KeyId* key);
  // An existing subkey and its name as stored.
  LSTATUS SubkeyName(KeyId parent, std::wstring_view name, std::wstring* stored, KeyId* child);
  // ERROR_SUCCESS when changes can be made (the file is created if needed).
  LSTATUS CanWrite();
  LSTATUS CreateSubkeys(KeyId parent, const std::vector<std::wstring>& path, KeyId* last, bool* created);
  LSTATUS SubkeyAt(KeyId parent, DWORD index, SubkeyRecord* out);
  // Deletes a key (not the root); with subtree false only when it has no subkeys.
  LSTATUS DeleteKey(KeyId key, bool subtree);

  // *out stays valid until the next call on this Database.
  LSTATUS GetValue(KeyId key, std::wstring_view name, const ValueRecord** out);
  LSTATUS ValueAt(KeyId key, DWORD index, const ValueRecord** out);
  LSTATUS SetValue(KeyId key, std::wstring_view name, DWORD type, const BYTE* data, DWORD size);
  LSTATUS DeleteValue(KeyId key, std::wstring_view name);

  static constexpr int kBatchChanges = 4096;
  void BeginBatch();
  // Commits what the batch left; the first failure of that commit.
  LSTATUS EndBatch();

private:
  enum class State { Closed, Open, ReadOnly, Unusable };

  // Opens the file when needed; `forWrite` creates it. ERROR_FILE_NOT_FOUND: no file yet.
  LSTATUS Ensure(bool forWrite);
  LSTATUS OpenFile(bool create);
  bool SetUpSchema(std::string* problem);
  void Close();
  // Maps an SQLite result to a registry error; a damaged file is handled on the way.
  LSTATUS Fail(int sqliteResult);
  void HandleDamage(const std::string& problem);
  // Stamps a key as written now.
  void TouchKey(KeyId key);
  // Whether a key exists (the root always does), from the cache where known.
  LSTATUS KeyState(KeyId key);
  // A subkey by name; with `stored`, also its name as stored (always asks the file).
  LSTATUS ChildOf(KeyId parent, std::wstring_view name, KeyId* child, std::wstring* stored);
  // Before any read: drops the cache when another connection has committed.
  void Refresh();
  LSTATUS FetchSubkeys(KeyId parent, DWORD index, bool seek);
  LSTATUS FetchValues(KeyId key, DWORD index, bool seek);
  // The open batch transaction, begun when needed; commits it when it is full.
  int BatchStep();
  int CommitBatch();

  // Runs a read; with no file (or an unusable one) returns `empty` instead.
  template <typename Fn>
  LSTATUS Read(LSTATUS empty, Fn&& fn);
  // Runs a change to `key` in an immediate transaction; when the file turns out damaged,
  // once more on the fresh file if `key` is the root (other keys are gone with the file).
  template <typename Fn>
  LSTATUS Write(KeyId key, Fn&& fn);

  std::string path_;
  sqlite3* db_ = nullptr;
  State state_ = State::Closed;
  std::uint64_t generation_;
  std::string pendingDamage_;  // set by Fail, handled once the statements are gone
  std::unique_ptr<StatementCache> statements_;
  std::unique_ptr<ChangeWatch> watch_;
  std::unique_ptr<RegistryCache> cache_;
  int batchDepth_ = 0;
  bool batchOpen_ = false;  // a batch transaction has begun
  int batchCount_ = 0;      // changes in it
  std::uint32_t batchCounter_ = 0;
};
}  // namespace orv::store
