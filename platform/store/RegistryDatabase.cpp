// The registry's rows: look-ups answered from the cache where it can, changes in
// transactions that keep the cache up to date.
#include "platform/store/detail/RegistryDatabase.h"

#include <chrono>

#include "platform/base/TextCodec.h"
#include "platform/store/detail/ChangeWatch.h"
#include "platform/store/detail/RegistryCache.h"
#include "platform/store/detail/RegistryNames.h"
#include "platform/store/detail/RegistrySql.h"

namespace orv::store {
namespace {
using Kind = RegistryCache::Kind;

// Runs of the enumeration windows; a run of values also ends once it holds this much data.
constexpr std::size_t kWindowDataBytes = 256u << 10;

std::int64_t NowAsFileTime() {
  using namespace std::chrono;
  auto ticks = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
  return ticks + 116444736000000000LL;  // 1601-01-01 to 1970-01-01 in 100 ns ticks
}
}  // namespace

void Database::Refresh() {
  if (watch_->Changed()) cache_->Clear();
}

template <typename Fn>
LSTATUS Database::Read(LSTATUS empty, Fn&& fn) {
  LSTATUS st = Ensure(false);
  if (st == ERROR_FILE_NOT_FOUND) return empty;
  if (st != ERROR_SUCCESS) return st;
  Refresh();
  st = fn();
  if (!pendingDamage_.empty()) {
    HandleDamage(pendingDamage_);
    return empty;
  }
  return st;
}

template <typename Fn>
LSTATUS Database::Write(KeyId key, Fn&& fn) {
  for (int attempt = 0;; ++attempt) {
    LSTATUS st = Ensure(true);
    if (st != ERROR_SUCCESS) return st;
    if (batchDepth_ > 0) {
      // One change of a batch: a savepoint makes it all or nothing on its own.
      int rc = BatchStep();
      if (rc == SQLITE_OK) {
        int begun = Statement(*statements_, "SAVEPOINT change").Step();
        rc = begun == SQLITE_DONE ? SQLITE_OK : begun;
      }
      if (rc != SQLITE_OK) {
        st = Fail(rc);
      } else {
        std::uint64_t changes = cache_->Changes();
        st = fn();
        if (st != ERROR_SUCCESS) {
          Statement(*statements_, "ROLLBACK TO change").Step();
          if (cache_->Changes() != changes) cache_->Clear();
        }
        Statement(*statements_, "RELEASE change").Step();
        // Some failures (a full disk, an I/O error) roll the whole transaction back.
        if (sqlite3_get_autocommit(statements_->Db()) != 0) {
          batchOpen_ = false;
          cache_->Clear();
        }
        if (++batchCount_ >= kBatchChanges && (rc = CommitBatch()) != SQLITE_OK && st == ERROR_SUCCESS) st = Fail(rc);
      }
    } else {
      Transaction tx(*statements_);
      if (tx.Began() != SQLITE_OK) {
        st = Fail(tx.Began());
      } else {
        Refresh();
        std::uint32_t counter = watch_->CounterNow();
        std::uint64_t changes = cache_->Changes();
        st = fn();
        if (st == ERROR_SUCCESS) {
          int rc = tx.Commit();
          if (rc != SQLITE_OK) st = Fail(rc);
          else watch_->Committed(counter);
        }
        // What the cache learnt from a change that did not happen is wrong.
        if (st != ERROR_SUCCESS && cache_->Changes() != changes) cache_->Clear();
      }
    }
    if (pendingDamage_.empty()) return st;
    HandleDamage(pendingDamage_);
    // Below the root, the keys of the damaged file do not exist in the fresh one.
    if (attempt > 0 || key != kRootKey) return ERROR_KEY_DELETED;
  }
}

int Database::BatchStep() {
  if (batchOpen_) return SQLITE_OK;
  int rc = Statement(*statements_, "BEGIN IMMEDIATE").Step();
  if (rc != SQLITE_DONE) return rc;
  Refresh();
  batchCounter_ = watch_->CounterNow();
  batchOpen_ = true;
  batchCount_ = 0;
  return SQLITE_OK;
}

int Database::CommitBatch() {
  if (!batchOpen_) return SQLITE_OK;
  batchOpen_ = false;
  int rc = Statement(*statements_, "COMMIT").Step();
  if (rc == SQLITE_DONE) {
    watch_->Committed(batchCounter_);
    return SQLITE_OK;
  }
  Statement(*statements_, "ROLLBACK").Step();
  cache_->Clear();
  return rc;
}

void Database::BeginBatch() { ++batchDepth_; }

LSTATUS Database::EndBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0) return ERROR_SUCCESS;
  int rc = CommitBatch();
  LSTATUS st = rc == SQLITE_OK ? ERROR_SUCCESS : Fail(rc);
  if (!pendingDamage_.empty()) HandleDamage(pendingDamage_);
  return st;
}

void Database::TouchKey(KeyId key) {
  // The parent lists this key with its time: a window of that list is out of date now.
  // (Asking the parent in the update itself, with RETURNING, would cost a statement journal.)
  if (cache_->HasSubkeyWindows()) {
    Statement parent(*statements_, "SELECT parent FROM keys WHERE id = ?1");
    if (parent.Bind(1, key).Step() == SQLITE_ROW) cache_->DropSubkeyWindow(parent.Int(0));
  }
  Statement(*statements_, "UPDATE keys SET written = ?1 WHERE id = ?2").Bind(1, NowAsFileTime()).Bind(2, key).Step();
}

LSTATUS Database::KeyState(KeyId key) {
  if (key == kRootKey) return ERROR_SUCCESS;
  int known = cache_->Exists(key);
  if (known >= 0) return known == 1 ? ERROR_SUCCESS : ERROR_KEY_DELETED;
  Statement s(*statements_, "SELECT 1 FROM keys WHERE id = ?1");
  int rc = s.Bind(1, key).Step();
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) return Fail(rc);
  cache_->PutExists(key, rc == SQLITE_ROW);
  return rc == SQLITE_ROW ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

LSTATUS Database::CheckKey(KeyId key) {
  if (key == kRootKey) return ERROR_SUCCESS;
  return Read(ERROR_KEY_DELETED, [&] { return KeyState(key); });
}

LSTATUS Database::ChildOf(KeyId parent, std::wstring_view name, KeyId* child, std::wstring* stored) {
  std::string_view tag = cache_->Tag(Kind::Child, parent, name);
  KeyId known;
  if (stored == nullptr && cache_->FindKey(tag, &known)) {
    if (known == kNoKey) return ERROR_FILE_NOT_FOUND;
    *child = known;
    return ERROR_SUCCESS;
  }
  Statement s(*statements_, "SELECT id, name FROM keys WHERE parent = ?1 AND fold = ?2");
  int rc = s.Bind(1, parent).BindBlob(2, FoldName(name)).Step();
  if (rc == SQLITE_ROW) {
    *child = s.Int(0);
    if (stored != nullptr) *stored = s.Text(1);
    cache_->PutKey(tag, *child);
    return ERROR_SUCCESS;
  }
  if (rc != SQLITE_DONE) return Fail(rc);
  cache_->PutKey(tag, kNoKey);
  return ERROR_FILE_NOT_FOUND;
}

LSTATUS Database::FindSubkey(KeyId parent, std::wstring_view name, KeyId* child) {
  return Read(ERROR_FILE_NOT_FOUND, [&] { return ChildOf(parent, name, child, nullptr); });
}

LSTATUS Database::SubkeyName(KeyId parent, std::wstring_view name, std::wstring* stored, KeyId* child) {
  return Read(ERROR_FILE_NOT_FOUND, [&] { return ChildOf(parent, name, child, stored); });
}

LSTATUS Database::FindPath(KeyId from, const wchar_t* path, KeyId* key) {
  // A malformed path is refused as such even where nothing is stored.
  if (LSTATUS st = CheckKeyPath(path); st != ERROR_SUCCESS) return st;
  return Read(ERROR_FILE_NOT_FOUND, [&]() -> LSTATUS {
    std::string_view tag = cache_->Tag(Kind::Path, from, path != nullptr ? path : L"");
    KeyId known;
    if (cache_->FindKey(tag, &known)) {
      if (known == kNoKey) return ERROR_FILE_NOT_FOUND;
      *key = known;
      return ERROR_SUCCESS;
    }
    std::string pathTag(tag);  // the look-ups below reuse the tag buffer
    std::vector<std::wstring> parts;
    LSTATUS st = SplitKeyPath(path, parts);
    KeyId at = from;
    for (std::size_t i = 0; i < parts.size() && st == ERROR_SUCCESS; ++i) st = ChildOf(at, parts[i], &at, nullptr);
    if (st == ERROR_SUCCESS) *key = at;
    if (st == ERROR_SUCCESS || st == ERROR_FILE_NOT_FOUND) cache_->PutKey(pathTag, st == ERROR_SUCCESS ? at : kNoKey);
    return st;
  });
}

LSTATUS Database::CanWrite() { return Ensure(true); }

LSTATUS Database::CreateSubkeys(KeyId parent, const std::vector<std::wstring>& path, KeyId* last, bool* created) {
  return Write(parent, [&]() -> LSTATUS {
    if (LSTATUS st = KeyState(parent); st != ERROR_SUCCESS) return st;
    KeyId at = parent;
    bool made = false;
    for (const std::wstring& name : path) {
      LSTATUS st = ChildOf(at, name, &at, nullptr);
      if (st == ERROR_SUCCESS) {
        made = false;
        continue;
      }
      if (st != ERROR_FILE_NOT_FOUND) return st;
      Statement insert(*statements_, "INSERT INTO keys(parent, name, fold, written) VALUES(?1, ?2, ?3, ?4)");
      int rc = insert.Bind(1, at).BindText(2, EncodeUtf8(name)).BindBlob(3, FoldName(name)).Bind(4, NowAsFileTime()).Step();
      if (rc != SQLITE_DONE) return Fail(rc);
      KeyId child = sqlite3_last_insert_rowid(statements_->Db());
      cache_->DropSubkeyWindow(at);
      TouchKey(at);
      cache_->PutKey(cache_->Tag(Kind::Child, at, name), child);
      at = child;
      made = true;
    }
    if (made) cache_->ForgetMissingKeys();
    *last = at;
    *created = made;
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::FetchSubkeys(KeyId parent, DWORD index, bool seek) {
  std::string after = seek ? cache_->FindSubkeyWindow(parent)->lastFold : std::string();
  Statement s(*statements_,
              seek ? "SELECT name, written, fold FROM keys WHERE parent = ?1 AND fold > ?2 AND id <> 1 "
                     "ORDER BY fold LIMIT ?3"
                   : "SELECT name, written, fold FROM keys WHERE parent = ?1 AND id <> 1 "
                     "ORDER BY fold LIMIT ?3 OFFSET ?2");
  s.Bind(1, parent).Bind(3, RegistryCache::kWindowRows);
  if (seek) s.BindBlob(2, after);
  else s.Bind(2, index);
  RegistryCache::SubkeyWindow& window = cache_->NewSubkeyWindow(parent);
  window.first = index;
  int rc;
  while ((rc = s.Step()) == SQLITE_ROW) {
    window.rows.push_back(SubkeyRecord{s.Text(0), s.Int(1)});
    window.lastFold = s.Bytes(2);
  }
  if (rc != SQLITE_DONE) {
    cache_->DropSubkeyWindow(parent);
    return Fail(rc);
  }
  window.atEnd = window.rows.size() < RegistryCache::kWindowRows;
  return ERROR_SUCCESS;
}

LSTATUS Database::SubkeyAt(KeyId parent, DWORD index, SubkeyRecord* out) {
  return Read(ERROR_NO_MORE_ITEMS, [&]() -> LSTATUS {
    RegistryCache::SubkeyWindow* window = cache_->FindSubkeyWindow(parent);
    bool seek;
    if (!RegistryCache::Covers(window, index, &seek)) {
      // Walking on from the end of the run seeks in the index; anything else counts.
      LSTATUS st = FetchSubkeys(parent, index, seek);
      if (st != ERROR_SUCCESS) return st;
      window = cache_->FindSubkeyWindow(parent);
    }
    if (index - window->first >= window->rows.size()) return ERROR_NO_MORE_ITEMS;
    *out = window->rows[index - window->first];
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::DeleteKey(KeyId key, bool subtree) {
  if (key == kRootKey) return ERROR_ACCESS_DENIED;
  return Write(key, [&]() -> LSTATUS {
    KeyId parent;
    int rc;
    {
      Statement find(*statements_, "SELECT parent FROM keys WHERE id = ?1");
      rc = find.Bind(1, key).Step();
      if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : Fail(rc);
      parent = find.Int(0);
    }
    if (!subtree) {
      Statement children(*statements_, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
      rc = children.Bind(1, key).Step();
      if (rc == SQLITE_ROW) return ERROR_ACCESS_DENIED;
      if (rc != SQLITE_DONE) return Fail(rc);
    }
    static constexpr const char* kDeletions[] = {
        "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN tree ON k.parent = tree.id) "
        "DELETE FROM vals WHERE key IN (SELECT id FROM tree)",
        "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN tree ON k.parent = tree.id) "
        "DELETE FROM keys WHERE id IN (SELECT id FROM tree)"};
    for (const char* deletion : kDeletions) {
      rc = Statement(*statements_, deletion).Bind(1, key).Step();
      if (rc != SQLITE_DONE) return Fail(rc);
    }
    // Which of the cached keys were below it is not known here.
    cache_->Clear();
    TouchKey(parent);
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::GetValue(KeyId key, std::wstring_view name, const ValueRecord** out) {
  return Read(ERROR_FILE_NOT_FOUND, [&]() -> LSTATUS {
    std::string_view tag = cache_->Tag(Kind::Value, key, name);
    const RegistryCache::Value* value = cache_->FindValue(tag);
    if (value == nullptr) {
      Statement s(*statements_, "SELECT name, type, data FROM vals WHERE key = ?1 AND fold = ?2");
      int rc = s.Bind(1, key).BindBlob(2, FoldName(name)).Step();
      if (rc != SQLITE_ROW && rc != SQLITE_DONE) return Fail(rc);
      RegistryCache::Value found;
      found.present = rc == SQLITE_ROW;
      if (found.present) found.record = ValueRecord{s.Text(0), static_cast<DWORD>(s.Int(1)), s.Blob(2)};
      value = cache_->PutValue(tag, std::move(found));
    }
    if (!value->present) return ERROR_FILE_NOT_FOUND;
    *out = &value->record;
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::FetchValues(KeyId key, DWORD index, bool seek) {
  std::int64_t after = seek ? cache_->FindValueWindow(key)->lastSeq : 0;
  Statement s(*statements_, seek ? "SELECT name, type, data, seq FROM vals WHERE key = ?1 AND seq > ?2 "
                                    "ORDER BY seq LIMIT ?3"
                                  : "SELECT name, type, data, seq FROM vals WHERE key = ?1 "
                                    "ORDER BY seq LIMIT ?3 OFFSET ?2");
  s.Bind(1, key).Bind(2, seek ? after : std::int64_t{index}).Bind(3, RegistryCache::kWindowRows);
  RegistryCache::ValueWindow& window = cache_->NewValueWindow(key);
  window.first = index;
  std::size_t bytes = 0;
  int rc = SQLITE_DONE;
  while (bytes < kWindowDataBytes && (rc = s.Step()) == SQLITE_ROW) {
    window.rows.push_back(ValueRecord{s.Text(0), static_cast<DWORD>(s.Int(1)), s.Blob(2)});
    window.lastSeq = s.Int(3);
    bytes += window.rows.back().data.size();
  }
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
    cache_->DropValueWindow(key);
    return Fail(rc);
  }
  window.atEnd = rc == SQLITE_DONE && window.rows.size() < RegistryCache::kWindowRows;
  return ERROR_SUCCESS;
}

LSTATUS Database::ValueAt(KeyId key, DWORD index, const ValueRecord** out) {
  return Read(ERROR_NO_MORE_ITEMS, [&]() -> LSTATUS {
    RegistryCache::ValueWindow* window = cache_->FindValueWindow(key);
    bool seek;
    if (!RegistryCache::Covers(window, index, &seek)) {
      LSTATUS st = FetchValues(key, index, seek);
      if (st != ERROR_SUCCESS) return st;
      window = cache_->FindValueWindow(key);
    }
    if (index - window->first >= window->rows.size()) return ERROR_NO_MORE_ITEMS;
    *out = &window->rows[index - window->first];
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::SetValue(KeyId key, std::wstring_view name, DWORD type, const BYTE* data, DWORD size) {
  return Write(key, [&]() -> LSTATUS {
    if (LSTATUS st = KeyState(key); st != ERROR_SUCCESS) return st;
    // An existing value keeps its place in the order and the letter case of its name.
    Statement s(*statements_,
                "INSERT INTO vals(key, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
                "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
    int rc = s.Bind(1, key).BindText(2, EncodeUtf8(name)).BindBlob(3, FoldName(name)).Bind(4, type).BindBlob(5, data, size).Step();
    if (rc != SQLITE_DONE) return Fail(rc);
    // The name as stored is known only when the value was known before.
    std::string_view tag = cache_->Tag(Kind::Value, key, name);
    const RegistryCache::Value* known = cache_->FindValue(tag);
    if (known != nullptr && known->present) {
      RegistryCache::Value stored{true, ValueRecord{known->record.name, type, std::vector<BYTE>(data, data + size)}};
      cache_->PutValue(tag, std::move(stored));
    } else {
      cache_->DropValue(tag);
    }
    cache_->DropValueWindow(key);
    TouchKey(key);
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::DeleteValue(KeyId key, std::wstring_view name) {
  return Write(key, [&]() -> LSTATUS {
    Statement s(*statements_, "DELETE FROM vals WHERE key = ?1 AND fold = ?2");
    int rc = s.Bind(1, key).BindBlob(2, FoldName(name)).Step();
    if (rc != SQLITE_DONE) return Fail(rc);
    if (sqlite3_changes(statements_->Db()) == 0) return ERROR_FILE_NOT_FOUND;
    cache_->PutValue(cache_->Tag(Kind::Value, key, name), RegistryCache::Value{});
    cache_->DropValueWindow(key);
    TouchKey(key);
    return ERROR_SUCCESS;
  });
}
}  // namespace orv::store
