#pragma once
// What one connection has read from its registry database, kept while nobody else changes
// the database (the owner drops it all when ChangeWatch reports a commit of another
// connection) and kept up to date by the owner's own changes.
//
// Look-ups are by a key id and a name as the store compares names (letter case folded).
// Keys, paths and values are kept up to a memory budget (kBudgetBytes, counted as the bytes
// of names and data plus a fixed charge per entry): an entry that would pass it drops them
// all, and the cache fills again from what is read next. Enumeration windows, runs of
// consecutive subkeys or values in enumeration order, are kept for at most kWindowKeys keys
// at a time apart from that budget, so that walking a key by index costs one query per run.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/store/detail/RegistryDatabase.h"

namespace orv::store {
inline constexpr KeyId kNoKey = 0;  // a key known not to exist

class RegistryCache {
public:
  static constexpr std::size_t kBudgetBytes = 8u << 20;
  static constexpr std::size_t kWindowKeys = 32;
  static constexpr std::size_t kWindowRows = 128;

  struct SubkeyWindow {
    DWORD first = 0;
    std::vector<SubkeyRecord> rows;
    std::string lastFold;  // where the next run starts
    bool atEnd = false;    // no subkey follows the last row
  };
  // Whether a window answers for index (with a row, or as past the end of the list); if not,
  // *seek tells whether the next run follows on from its last row.
  template <typename Window>
  static bool Covers(const Window* window, DWORD index, bool* seek) {
    std::size_t end = window != nullptr ? window->first + window->rows.size() : 0;
    *seek = window != nullptr && index == end;
    return window != nullptr && index >= window->first && (index < end || window->atEnd);
  }
  struct ValueWindow {
    DWORD first = 0;
    std::vector<ValueRecord> rows;
    std::int64_t lastSeq = 0;
    bool atEnd = false;
  };

  // The look-up text of a name below a key, in a buffer reused by the next call. The kind
  // keeps look-ups of different things apart.
  enum class Kind : char { Child = 'c', Path = 'p', Value = 'v' };
  std::string_view Tag(Kind kind, KeyId key, std::wstring_view name);

  // A subkey or path: false when not known; else *key is its id, or kNoKey when it is known
  // not to exist.
  bool FindKey(std::string_view tag, KeyId* key) const;
  void PutKey(std::string_view tag, KeyId key);
  // Whether a key id exists: 1, 0, or -1 when not known.
  int Exists(KeyId key) const;
  void PutExists(KeyId key, bool exists);
  // A value, or that there is none; FindValue gives null when not known.
  struct Value {
    bool present = false;
    ValueRecord record;
  };
  const Value* FindValue(std::string_view tag) const;
  const Value* PutValue(std::string_view tag, Value value);
  void DropValue(std::string_view tag);

  bool HasSubkeyWindows() const { return !subkeyWindows_.empty(); }
  SubkeyWindow* FindSubkeyWindow(KeyId key);
  SubkeyWindow& NewSubkeyWindow(KeyId key);
  ValueWindow* FindValueWindow(KeyId key);
  ValueWindow& NewValueWindow(KeyId key);
  void DropSubkeyWindow(KeyId key);
  void DropValueWindow(KeyId key);

  // Keys and paths found missing may exist once a key is created.
  void ForgetMissingKeys() {
    ++changes_;
    ++missingEpoch_;
  }
  void Clear();
  // Counts every change, so that a writer can tell whether a failed transaction left
  // something behind that is not in the database.
  std::uint64_t Changes() const { return changes_; }

private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  template <typename T>
  using Map = std::unordered_map<std::string, T, Hash, std::equal_to<>>;

  void Charge(std::size_t bytes);
  template <typename Window>
  Window& Renew(std::unordered_map<KeyId, Window>& windows, KeyId key);

  std::string tag_;
  Map<KeyId> keys_;
  Map<Value> values_;
  std::unordered_map<KeyId, bool> exists_;
  std::unordered_map<KeyId, SubkeyWindow> subkeyWindows_;
  std::unordered_map<KeyId, ValueWindow> valueWindows_;
  std::size_t bytes_ = 0;
  std::uint64_t changes_ = 0;
  // A missing key is kept as minus the epoch it was found in; only the current one counts.
  KeyId missingEpoch_ = 1;
};
}  // namespace orv::store
