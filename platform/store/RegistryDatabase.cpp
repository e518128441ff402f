#include "platform/store/detail/RegistryDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "platform/base/MessageBox.h"
#include "platform/base/TextCodec.h"
#include "platform/store/detail/RegistryNames.h"

namespace orv::store {
namespace {
constexpr int kBusyTimeoutMs = 15000;
constexpr int kApplicationId = 0x4F525652;  // "ORVR": marks the file as one of our stores
constexpr int kFormatVersion = 1;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  parent INTEGER NOT NULL,"
    "  name TEXT NOT NULL,"
    "  fold BLOB NOT NULL,"
    "  written INTEGER NOT NULL DEFAULT 0,"
    "  UNIQUE(parent, fold));"
    "CREATE TABLE IF NOT EXISTS vals("
    "  seq INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  key INTEGER NOT NULL,"
    "  name TEXT NOT NULL,"
    "  fold BLOB NOT NULL,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  UNIQUE(key, fold));"
    "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES(1, 0, '', x'');"
    "PRAGMA application_id = 1330796114;"
    "PRAGMA user_version = 1;";
static_assert(kApplicationId == 1330796114);

bool IsDamage(int rc) {
  int primary = rc & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

std::int64_t NowAsFileTime() {
  using namespace std::chrono;
  auto ticks = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
  return ticks + 116444736000000000LL;  // 1601-01-01 to 1970-01-01 in 100 ns ticks
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// An SQLite URI that opens path as a file nobody changes: no shared-memory file is needed,
// which a reader without write access to the folder could not create.
std::string ImmutableUri(const std::string& path) {
  std::string uri = "file:";
  for (unsigned char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    } else {
      uri += static_cast<char>(c);
    }
  }
  return uri + "?immutable=1";
}

std::string Timestamp() {
  std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}
}  // namespace

// One prepared statement; the first failure (prepare or bind) is kept and returned by Step.
class Database::Statement {
public:
  Statement(sqlite3* db, const char* sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
  ~Statement() { sqlite3_finalize(m_stmt); }
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
  Statement& BindName(int nameIndex, int foldIndex, const std::wstring& name) {
    BindText(nameIndex, EncodeUtf8(name));
    std::string fold = FoldName(name);
    return BindBlob(foldIndex, fold.data(), fold.size());
  }
  // SQLITE_ROW, SQLITE_DONE or an error.
  int Step() {
    if (m_rc != SQLITE_OK) return m_rc;
    return sqlite3_step(m_stmt);
  }
  std::int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
  std::wstring Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    return text != nullptr ? DecodeUtf8(std::string_view(text, static_cast<std::size_t>(size))) : std::wstring();
  }
  // A row of "SELECT name, type, data FROM vals".
  void ValueRow(ValueRecord* out) const {
    out->name = Text(0);
    out->type = static_cast<DWORD>(Int(1));
    out->data = Blob(2);
  }
  std::vector<BYTE> Blob(int column) const {
    const auto* data = static_cast<const BYTE*>(sqlite3_column_blob(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    return data != nullptr ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
  }

private:
  sqlite3_stmt* m_stmt = nullptr;
  int m_rc = SQLITE_OK;
};

// BEGIN IMMEDIATE takes the write lock at once (waiting for another writer), so that a
// transaction never fails half-way because another process wrote first.
class Database::Transaction {
public:
  explicit Transaction(sqlite3* db) : m_db(db) {
    m_rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  }
  ~Transaction() {
    if (m_rc == SQLITE_OK && !m_done) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  int Began() const { return m_rc; }
  int Commit() {
    int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    m_done = rc == SQLITE_OK;
    return rc;
  }

private:
  sqlite3* m_db;
  int m_rc;
  bool m_done = false;
};

namespace {
// Generations are unique across all databases of the process, so a handle never matches a
// database it was not opened on.
std::uint64_t NextGeneration() {
  static std::atomic<std::uint64_t> next{1};
  return next++;
}
}  // namespace

Database::Database(std::string path) : m_path(std::move(path)), m_generation(NextGeneration()) {}

Database::~Database() { Close(); }

void Database::Close() {
  if (m_db != nullptr) sqlite3_close_v2(m_db);
  m_db = nullptr;
  if (m_state == State::Open || m_state == State::ReadOnly) m_state = State::Closed;
}

void Database::ForgetAfterFork() {
  // The parent still owns the connection's locks and file descriptors; closing it here
  // would release the parent's locks. It is kept reachable and never used again.
  static std::vector<sqlite3*> inherited;
  if (m_db != nullptr) inherited.push_back(m_db);
  m_db = nullptr;
  if (m_state == State::Open || m_state == State::ReadOnly) m_state = State::Closed;
}

StoreFailure& LastStoreFailure() {
  static StoreFailure failure;
  return failure;
}

LSTATUS Database::Fail(int rc) {
  LSTATUS st = FailStatus(rc);
  int system = m_db != nullptr ? sqlite3_system_errno(m_db) : 0;
  LastStoreFailure() = StoreFailure{st, system != 0 ? std::strerror(system) : sqlite3_errstr(rc)};
  return st;
}

LSTATUS Database::FailStatus(int rc) {
  if (IsDamage(rc)) {
    if (m_pendingDamage.empty()) m_pendingDamage = sqlite3_errstr(rc);
    return ERROR_REGISTRY_CORRUPT;
  }
  switch (rc & 0xFF) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return ERROR_ACCESS_DENIED;
    case SQLITE_NOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_TOOBIG:
      return ERROR_INVALID_PARAMETER;
    case SQLITE_CANTOPEN:
      return ERROR_CANTOPEN;
    default:
      return ERROR_REGISTRY_IO_FAILED;
  }
}

LSTATUS Database::Ensure(bool forWrite) {
  switch (m_state) {
    case State::Open:
      return ERROR_SUCCESS;
    case State::ReadOnly:
      return forWrite ? ReadOnlyRefusal() : ERROR_SUCCESS;
    case State::Unusable:
      return forWrite ? ERROR_REGISTRY_CORRUPT : ERROR_FILE_NOT_FOUND;
    case State::Closed:
      break;
  }
  LSTATUS st = OpenFile(forWrite);
  if (st == ERROR_REGISTRY_CORRUPT && m_state == State::Closed)
    st = forWrite ? OpenFile(true) : ERROR_FILE_NOT_FOUND;  // the damaged file is now aside
  if (st == ERROR_SUCCESS && forWrite && m_state == State::ReadOnly) return ReadOnlyRefusal();
  return st;
}

LSTATUS Database::ReadOnlyRefusal() {
  LastStoreFailure() = StoreFailure{ERROR_ACCESS_DENIED, "the registry file " + m_path + " is read-only"};
  return ERROR_ACCESS_DENIED;
}

LSTATUS Database::OpenFile(bool create) {
  if (m_path.empty()) return create ? ERROR_CANTOPEN : ERROR_FILE_NOT_FOUND;
  if (!FileExists(m_path)) {
    if (!create) return ERROR_FILE_NOT_FOUND;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ignored);
  }
  int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  int rc = sqlite3_open_v2(m_path.c_str(), &m_db, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    // An existing file that cannot be written (a machine-wide store) is still readable.
    if (create || sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      sqlite3_close_v2(m_db);
      m_db = nullptr;
      return create ? ERROR_CANTWRITE : ERROR_CANTOPEN;
    }
  }
  sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
  m_state = sqlite3_db_readonly(m_db, "main") == 1 ? State::ReadOnly : State::Open;

  std::string problem;
  bool ok = SetUpSchema(&problem);
  if (!ok && problem.empty() && m_state == State::ReadOnly && !FileExists(m_path + "-wal")) {
    // A WAL store read by a user who may not write its folder: without a journal (no writer
    // at work), the file alone holds every change and is read as it stands.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    if (sqlite3_open_v2(ImmutableUri(m_path).c_str(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) ==
        SQLITE_OK) {
      ok = SetUpSchema(&problem);
    }
  }
  if (!ok) {
    if (!problem.empty()) {
      HandleDamage(problem);
      return ERROR_REGISTRY_CORRUPT;
    }
    // A read-only file without our tables, or a busy or unreadable file: nothing to read.
    Close();
    return create ? ERROR_CANTWRITE : ERROR_FILE_NOT_FOUND;
  }
  return ERROR_SUCCESS;
}

bool Database::SetUpSchema(std::string* problem) {
  auto fail = [&](int rc) {
    if (IsDamage(rc)) *problem = sqlite3_errstr(rc);
    return false;
  };
  // WAL lets readers and a writer of several processes work at once. It changes the file's
  // header, so it is switched on only once the file is known to be ours.
  auto useWal = [&]() {
    if (m_state != State::Open) return true;
    Statement wal(m_db, "PRAGMA journal_mode = WAL");
    int rc = wal.Step();
    if (rc != SQLITE_ROW) return fail(rc);
    // In WAL mode this keeps the file consistent through any crash; only the last changes
    // before a power loss may be missing. It spares a flush to disk on every change.
    rc = sqlite3_exec(m_db, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    return rc == SQLITE_OK || fail(rc);
  };
  {
    Statement check(m_db, "PRAGMA quick_check");
    int rc = check.Step();
    if (rc != SQLITE_ROW) return fail(rc);
    std::wstring verdict = check.Text(0);
    if (verdict != L"ok") {
      *problem = "integrity check: " + EncodeUtf8(verdict);
      return false;
    }
  }
  // Our stores carry our application id; a new file has no id and no tables yet. Anything
  // else belongs to somebody else and is not written into.
  auto inspect = [&](std::int64_t* id, std::int64_t* version, std::int64_t* objects) {
    Statement a(m_db, "PRAGMA application_id");
    Statement v(m_db, "PRAGMA user_version");
    Statement n(m_db, "SELECT count(*) FROM sqlite_master");
    int rc = a.Step();
    if (rc == SQLITE_ROW) rc = v.Step();
    if (rc == SQLITE_ROW) rc = n.Step();
    if (rc != SQLITE_ROW) return rc;
    *id = a.Int(0);
    *version = v.Int(0);
    *objects = n.Int(0);
    return SQLITE_OK;
  };
  std::int64_t id = 0, version = 0, objects = 0;
  if (int rc = inspect(&id, &version, &objects); rc != SQLITE_OK) return fail(rc);
  if (id == kApplicationId && version == kFormatVersion) return useWal();
  if (id == kApplicationId && version > kFormatVersion) {
    // Not damaged, only newer: left where it is, untouched.
    m_state = State::Unusable;
    CString text;
    text.Format(L"RegistryStore::Open(): The registry file \"%S\" was written by a newer version (format %d). "
                L"Its values are ignored and nothing is written to it.",
                m_path, static_cast<int>(version));
    AfxMessageBox(text, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (id != 0 || objects != 0) {
    *problem = "not a registry store";
    return false;
  }
  if (m_state != State::Open) return false;
  // Another process may be creating the same file: decide again under the write lock.
  Transaction tx(m_db);
  if (tx.Began() != SQLITE_OK) return fail(tx.Began());
  if (int rc = inspect(&id, &version, &objects); rc != SQLITE_OK) return fail(rc);
  if (id == kApplicationId) return version == kFormatVersion && tx.Commit() == SQLITE_OK && useWal();
  if (objects != 0) {
    *problem = "not a registry store";
    return false;
  }
  int rc = sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return fail(rc);
  rc = tx.Commit();
  if (rc != SQLITE_OK) return fail(rc);
  return useWal();
}

void Database::HandleDamage(const std::string& problem) {
  m_pendingDamage.clear();
  Close();
  m_generation = NextGeneration();
  std::string stamp = Timestamp();
  std::string aside = m_path + ".damaged-" + stamp;
  for (int n = 2; FileExists(aside) && n < 1000; ++n) aside = m_path + ".damaged-" + stamp + "-" + std::to_string(n);
  CString text;
  if (std::rename(m_path.c_str(), aside.c_str()) == 0) {
    // The journal belongs with the file it was written for; the shared-memory index is
    // rebuilt from them and can go.
    std::rename((m_path + "-wal").c_str(), (aside + "-wal").c_str());
    std::remove((m_path + "-shm").c_str());
    m_state = State::Closed;
    text.Format(L"RegistryStore::Open(): The registry file \"%S\" is damaged (%S). It was kept as \"%S\"; "
                L"a new, empty registry file takes its place.",
                m_path, problem, aside);
  } else {
    m_state = State::Unusable;
    text.Format(L"RegistryStore::Open(): The registry file \"%S\" is damaged (%S) and could not be moved "
                L"aside (%S). Its values are ignored and nothing is written to it.",
                m_path, problem, std::strerror(errno));
  }
  AfxMessageBox(text, MB_OK | MB_ICONWARNING);
}

template <typename Fn>
LSTATUS Database::Read(LSTATUS empty, Fn&& fn) {
  LSTATUS st = Ensure(false);
  if (st == ERROR_FILE_NOT_FOUND) return empty;
  if (st != ERROR_SUCCESS) return st;
  st = fn();
  if (!m_pendingDamage.empty()) {
    HandleDamage(m_pendingDamage);
    return empty;
  }
  return st;
}

template <typename Fn>
LSTATUS Database::Write(KeyId key, Fn&& fn) {
  if (m_batch) {
    LSTATUS st = Ensure(true);
    if (st != ERROR_SUCCESS) return st;
    if (!m_batchOpen) {
      int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      if (rc != SQLITE_OK) return Fail(rc);
      m_batchOpen = true;
    }
    st = fn();
    if (m_pendingDamage.empty()) return st;
    m_batchOpen = false;  // closing the damaged file below rolls the batch back
    HandleDamage(m_pendingDamage);
    return ERROR_REGISTRY_CORRUPT;
  }
  for (int attempt = 0;; ++attempt) {
    LSTATUS st = Ensure(true);
    if (st != ERROR_SUCCESS) return st;
    {
      Transaction tx(m_db);
      if (tx.Began() != SQLITE_OK) {
        st = Fail(tx.Began());
      } else {
        st = fn();
        if (st == ERROR_SUCCESS) {
          int rc = tx.Commit();
          if (rc != SQLITE_OK) st = Fail(rc);
        }
      }
    }
    if (m_pendingDamage.empty()) return st;
    HandleDamage(m_pendingDamage);
    // Below the root, the keys of the damaged file do not exist in the fresh one.
    if (attempt > 0 || key != kRootKey) return ERROR_KEY_DELETED;
  }
}

LSTATUS Database::EndBatch(bool commit) {
  m_batch = false;
  if (!m_batchOpen) return ERROR_SUCCESS;
  m_batchOpen = false;
  LSTATUS st = ERROR_SUCCESS;
  if (commit) {
    int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) return ERROR_SUCCESS;
    st = Fail(rc);
  }
  sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
  if (!m_pendingDamage.empty()) HandleDamage(m_pendingDamage);
  return st;
}

void Database::TouchKey(KeyId key) {
  Statement(m_db, "UPDATE keys SET written = ?1 WHERE id = ?2").Bind(1, NowAsFileTime()).Bind(2, key).Step();
}

LSTATUS Database::CheckKey(KeyId key) {
  if (key == kRootKey) return ERROR_SUCCESS;
  return Read(ERROR_KEY_DELETED, [&]() -> LSTATUS {
    Statement s(m_db, "SELECT 1 FROM keys WHERE id = ?1");
    int rc = s.Bind(1, key).Step();
    if (rc == SQLITE_ROW) return ERROR_SUCCESS;
    return rc == SQLITE_DONE ? ERROR_KEY_DELETED : Fail(rc);
  });
}

LSTATUS Database::FindSubkey(KeyId parent, const std::wstring& name, KeyId* child) {
  return Read(ERROR_FILE_NOT_FOUND, [&]() -> LSTATUS {
    Statement s(m_db, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
    std::string fold = FoldName(name);
    int rc = s.Bind(1, parent).BindBlob(2, fold.data(), fold.size()).Step();
    if (rc == SQLITE_ROW) {
      *child = s.Int(0);
      return ERROR_SUCCESS;
    }
    return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : Fail(rc);
  });
}

LSTATUS Database::CreateSubkeys(KeyId parent, const std::vector<std::wstring>& path, KeyId* last, bool* created) {
  return Write(parent, [&]() -> LSTATUS {
    if (parent != kRootKey) {
      Statement s(m_db, "SELECT 1 FROM keys WHERE id = ?1");
      int rc = s.Bind(1, parent).Step();
      if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? ERROR_KEY_DELETED : Fail(rc);
    }
    KeyId at = parent;
    bool made = false;
    for (const std::wstring& name : path) {
      Statement find(m_db, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
      std::string fold = FoldName(name);
      int rc = find.Bind(1, at).BindBlob(2, fold.data(), fold.size()).Step();
      if (rc == SQLITE_ROW) {
        at = find.Int(0);
        made = false;
        continue;
      }
      if (rc != SQLITE_DONE) return Fail(rc);
      std::int64_t now = NowAsFileTime();
      Statement insert(m_db, "INSERT INTO keys(parent, name, fold, written) VALUES(?1, ?2, ?3, ?4)");
      rc = insert.Bind(1, at).BindName(2, 3, name).Bind(4, now).Step();
      if (rc != SQLITE_DONE) return Fail(rc);
      TouchKey(at);
      at = sqlite3_last_insert_rowid(m_db);
      made = true;
    }
    *last = at;
    *created = made;
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::SubkeyAt(KeyId parent, DWORD index, SubkeyRecord* out) {
  return Read(ERROR_NO_MORE_ITEMS, [&]() -> LSTATUS {
    Statement s(m_db, "SELECT name, written FROM keys WHERE parent = ?1 AND id <> 1 ORDER BY fold LIMIT 1 OFFSET ?2");
    int rc = s.Bind(1, parent).Bind(2, index).Step();
    if (rc == SQLITE_ROW) {
      out->name = s.Text(0);
      out->lastWrite = s.Int(1);
      return ERROR_SUCCESS;
    }
    return rc == SQLITE_DONE ? ERROR_NO_MORE_ITEMS : Fail(rc);
  });
}

LSTATUS Database::DeleteKey(KeyId key, bool subtree) {
  if (key == kRootKey) return ERROR_ACCESS_DENIED;
  return Write(key, [&]() -> LSTATUS {
    Statement find(m_db, "SELECT parent FROM keys WHERE id = ?1");
    int rc = find.Bind(1, key).Step();
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : Fail(rc);
    KeyId parent = find.Int(0);
    if (!subtree) {
      Statement children(m_db, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
      rc = children.Bind(1, key).Step();
      if (rc == SQLITE_ROW) return ERROR_ACCESS_DENIED;
      if (rc != SQLITE_DONE) return Fail(rc);
    }
    static const std::string kTree =
        "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL SELECT k.id FROM keys k JOIN tree ON k.parent = tree.id) ";
    for (const char* target : {"DELETE FROM vals WHERE key IN (SELECT id FROM tree)",
                               "DELETE FROM keys WHERE id IN (SELECT id FROM tree)"}) {
      rc = Statement(m_db, (kTree + target).c_str()).Bind(1, key).Step();
      if (rc != SQLITE_DONE) return Fail(rc);
    }
    TouchKey(parent);
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::GetValue(KeyId key, const std::wstring& name, ValueRecord* out) {
  return Read(ERROR_FILE_NOT_FOUND, [&]() -> LSTATUS {
    Statement s(m_db, "SELECT name, type, data FROM vals WHERE key = ?1 AND fold = ?2");
    std::string fold = FoldName(name);
    int rc = s.Bind(1, key).BindBlob(2, fold.data(), fold.size()).Step();
    if (rc == SQLITE_ROW) {
      s.ValueRow(out);
      return ERROR_SUCCESS;
    }
    return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : Fail(rc);
  });
}

LSTATUS Database::ValueAt(KeyId key, DWORD index, ValueRecord* out) {
  return Read(ERROR_NO_MORE_ITEMS, [&]() -> LSTATUS {
    Statement s(m_db, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY seq LIMIT 1 OFFSET ?2");
    int rc = s.Bind(1, key).Bind(2, index).Step();
    if (rc == SQLITE_ROW) {
      s.ValueRow(out);
      return ERROR_SUCCESS;
    }
    return rc == SQLITE_DONE ? ERROR_NO_MORE_ITEMS : Fail(rc);
  });
}

LSTATUS Database::SetValue(KeyId key, const std::wstring& name, DWORD type, const BYTE* data, DWORD size) {
  return Write(key, [&]() -> LSTATUS {
    if (key != kRootKey) {
      Statement s(m_db, "SELECT 1 FROM keys WHERE id = ?1");
      int rc = s.Bind(1, key).Step();
      if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? ERROR_KEY_DELETED : Fail(rc);
    }
    // An existing value keeps its place in the order and the letter case of its name.
    Statement s(m_db,
                "INSERT INTO vals(key, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
                "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
    int rc = s.Bind(1, key).BindName(2, 3, name).Bind(4, type).BindBlob(5, data, size).Step();
    if (rc != SQLITE_DONE) return Fail(rc);
    TouchKey(key);
    return ERROR_SUCCESS;
  });
}

LSTATUS Database::DeleteValue(KeyId key, const std::wstring& name) {
  return Write(key, [&]() -> LSTATUS {
    Statement s(m_db, "DELETE FROM vals WHERE key = ?1 AND fold = ?2");
    std::string fold = FoldName(name);
    int rc = s.Bind(1, key).BindBlob(2, fold.data(), fold.size()).Step();
    if (rc != SQLITE_DONE) return Fail(rc);
    if (sqlite3_changes(m_db) == 0) return ERROR_FILE_NOT_FOUND;
    TouchKey(key);
    return ERROR_SUCCESS;
  });
}
}  // namespace orv::store
