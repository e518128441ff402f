// Opening, checking and closing a registry database file; damaged files are moved aside.
#include "platform/store/detail/RegistryDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "platform/base/MessageBox.h"
#include "platform/base/TextCodec.h"
#include "platform/store/detail/ChangeWatch.h"
#include "platform/store/detail/RegistryCache.h"
#include "platform/store/detail/RegistryNames.h"
#include "platform/store/detail/RegistrySql.h"

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

namespace {
// Generations are unique across all databases of the process, so a handle never matches a
// database it was not opened on.
std::uint64_t NextGeneration() {
  static std::atomic<std::uint64_t> next{1};
  return next++;
}
}  // namespace

std::wstring Statement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  int size = sqlite3_column_bytes(stmt_, column);
  return text != nullptr ? DecodeUtf8(std::string_view(text, static_cast<std::size_t>(size))) : std::wstring();
}

Database::Database(std::string path)
    : path_(std::move(path)),
      generation_(NextGeneration()),
      statements_(std::make_unique<StatementCache>()),
      watch_(std::make_unique<ChangeWatch>()),
      cache_(std::make_unique<RegistryCache>()) {}

Database::~Database() { Close(); }

void Database::Close() {
  watch_->Detach();
  cache_->Clear();
  statements_->Clear();
  batchOpen_ = false;
  if (db_ != nullptr) sqlite3_close_v2(db_);
  db_ = nullptr;
  if (state_ == State::Open || state_ == State::ReadOnly) state_ = State::Closed;
}

void Database::ForgetAfterFork() {
  // The parent still owns the connection's locks and file descriptors; closing it here
  // would release the parent's locks. It is kept reachable and never used again.
  static std::vector<sqlite3*> inherited;
  if (db_ != nullptr) inherited.push_back(db_);
  db_ = nullptr;
  statements_->Abandon();
  watch_->Detach();
  cache_->Clear();
  batchOpen_ = false;
  if (state_ == State::Open || state_ == State::ReadOnly) state_ = State::Closed;
}

StoreFailure& LastStoreFailure() {
  static StoreFailure failure;
  return failure;
}

LSTATUS Database::Fail(int rc) {
  LSTATUS st = FailStatus(rc);
  int system = db_ != nullptr ? sqlite3_system_errno(db_) : 0;
  LastStoreFailure() = StoreFailure{st, system != 0 ? std::strerror(system) : sqlite3_errstr(rc)};
  return st;
}

LSTATUS Database::FailStatus(int rc) {
  if (IsDamage(rc)) {
    if (pendingDamage_.empty()) pendingDamage_ = sqlite3_errstr(rc);
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
  switch (state_) {
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
  if (st == ERROR_REGISTRY_CORRUPT && state_ == State::Closed)
    st = forWrite ? OpenFile(true) : ERROR_FILE_NOT_FOUND;  // the damaged file is now aside
  if (st == ERROR_SUCCESS && forWrite && state_ == State::ReadOnly) return ReadOnlyRefusal();
  return st;
}

LSTATUS Database::ReadOnlyRefusal() {
  LastStoreFailure() = StoreFailure{ERROR_ACCESS_DENIED, "the registry file " + path_ + " is read-only"};
  return ERROR_ACCESS_DENIED;
}

LSTATUS Database::OpenFile(bool create) {
  if (path_.empty()) return create ? ERROR_CANTOPEN : ERROR_FILE_NOT_FOUND;
  if (!FileExists(path_)) {
    if (!create) return ERROR_FILE_NOT_FOUND;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
  }
  int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  int rc = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    // An existing file that cannot be written (a machine-wide store) is still readable.
    if (create || sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      sqlite3_close_v2(db_);
      db_ = nullptr;
      return create ? ERROR_CANTWRITE : ERROR_CANTOPEN;
    }
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  statements_->Attach(db_);
  state_ = sqlite3_db_readonly(db_, "main") == 1 ? State::ReadOnly : State::Open;

  std::string problem;
  bool ok = SetUpSchema(&problem);
  if (!ok && problem.empty() && state_ == State::ReadOnly && !FileExists(path_ + "-wal")) {
    // A WAL store read by a user who may not write its folder: without a journal (no writer
    // at work), the file alone holds every change and is read as it stands. Such a file is
    // never changed under the connection, so the change watch below asks data_version.
    statements_->Clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    if (sqlite3_open_v2(ImmutableUri(path_).c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) ==
        SQLITE_OK) {
      statements_->Attach(db_);
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
  watch_->Attach(*statements_, state_ == State::Open);
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
    if (state_ != State::Open) return true;
    Statement wal(*statements_, "PRAGMA journal_mode = WAL");
    int rc = wal.Step();
    if (rc != SQLITE_ROW) return fail(rc);
    // In WAL mode this keeps the file consistent through any crash; only the last changes
    // before a power loss may be missing. It spares a flush to disk on every change.
    rc = sqlite3_exec(db_, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return fail(rc);
    // Values are listed in the order they were made; without this index every listing sorts
    // in a temporary table. Made here, so that stores made before it get it too; failing to
    // add it (a busy writer elsewhere) costs speed only.
    sqlite3_exec(db_, "CREATE INDEX IF NOT EXISTS vals_order ON vals(key, seq)", nullptr, nullptr, nullptr);
    return true;
  };
  {
    Statement check(*statements_, "PRAGMA quick_check");
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
    Statement a(*statements_, "PRAGMA application_id");
    Statement v(*statements_, "PRAGMA user_version");
    Statement n(*statements_, "SELECT count(*) FROM sqlite_master");
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
    state_ = State::Unusable;
    CString text;
    text.Format(L"RegistryStore::Open(): The registry file \"%S\" was written by a newer version (format %d). "
                L"Its values are ignored and nothing is written to it.",
                path_, static_cast<int>(version));
    AfxMessageBox(text, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (id != 0 || objects != 0) {
    *problem = "not a registry store";
    return false;
  }
  if (state_ != State::Open) return false;
  // Another process may be creating the same file: decide again under the write lock.
  Transaction tx(*statements_);
  if (tx.Began() != SQLITE_OK) return fail(tx.Began());
  if (int rc = inspect(&id, &version, &objects); rc != SQLITE_OK) return fail(rc);
  if (id == kApplicationId) return version == kFormatVersion && tx.Commit() == SQLITE_OK && useWal();
  if (objects != 0) {
    *problem = "not a registry store";
    return false;
  }
  int rc = sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return fail(rc);
  rc = tx.Commit();
  if (rc != SQLITE_OK) return fail(rc);
  return useWal();
}

void Database::HandleDamage(const std::string& problem) {
  pendingDamage_.clear();
  Close();
  generation_ = NextGeneration();
  std::string stamp = Timestamp();
  std::string aside = path_ + ".damaged-" + stamp;
  for (int n = 2; FileExists(aside) && n < 1000; ++n) aside = path_ + ".damaged-" + stamp + "-" + std::to_string(n);
  CString text;
  if (std::rename(path_.c_str(), aside.c_str()) == 0) {
    // The journal belongs with the file it was written for; the shared-memory index is
    // rebuilt from them and can go.
    std::rename((path_ + "-wal").c_str(), (aside + "-wal").c_str());
    std::remove((path_ + "-shm").c_str());
    state_ = State::Closed;
    text.Format(L"RegistryStore::Open(): The registry file \"%S\" is damaged (%S). It was kept as \"%S\"; "
                L"a new, empty registry file takes its place.",
                path_, problem, aside);
  } else {
    state_ = State::Unusable;
    text.Format(L"RegistryStore::Open(): The registry file \"%S\" is damaged (%S) and could not be moved "
                L"aside (%S). Its values are ignored and nothing is written to it.",
                path_, problem, std::strerror(errno));
  }
  AfxMessageBox(text, MB_OK | MB_ICONWARNING);
}

}  // namespace orv::store
