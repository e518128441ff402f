#pragma once
// CMap: the framework's hash map. Entries are kept in insertion order (the original's order
// is its hash-bucket order, which no caller relies on); a POSITION walks them.
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Object.h"

struct __POSITION {};
using POSITION = __POSITION*;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1L))

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
  explicit CMap(int /*blockSize*/ = 10) {}

  int GetCount() const { return static_cast<int>(m_entries.size()); }
  int GetSize() const { return GetCount(); }
  bool IsEmpty() const { return m_entries.empty(); }
  void InitHashTable(UINT size, BOOL /*allocNow*/ = TRUE) { m_index.reserve(size); }

  BOOL Lookup(ARG_KEY key, VALUE& value) const {
    auto it = m_index.find(KEY(key));
    if (it == m_index.end()) return FALSE;
    value = m_entries[it->second].second;
    return TRUE;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
  VALUE& operator[](ARG_KEY key) {
    auto [it, added] = m_index.try_emplace(KEY(key), m_entries.size());
    if (added) m_entries.emplace_back(KEY(key), VALUE());
    return m_entries[it->second].second;
  }
  BOOL RemoveKey(ARG_KEY key) {
    auto it = m_index.find(KEY(key));
    if (it == m_index.end()) return FALSE;
    size_t slot = it->second;
    m_index.erase(it);
    if (slot + 1 != m_entries.size()) {
      m_entries[slot] = std::move(m_entries.back());
      m_index[m_entries[slot].first] = slot;
    }
    m_entries.pop_back();
    return TRUE;
  }
  void RemoveAll() { m_entries.clear(); m_index.clear(); }

  POSITION GetStartPosition() const { return m_entries.empty() ? nullptr : ToPosition(0); }
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
    size_t i = reinterpret_cast<size_t>(pos) - 1;
    key = m_entries[i].first;
    value = m_entries[i].second;
    pos = i + 1 < m_entries.size() ? ToPosition(i + 1) : nullptr;
  }

private:
  static POSITION ToPosition(size_t i) { return reinterpret_cast<POSITION>(i + 1); }
  std::vector<std::pair<KEY, VALUE>> m_entries;
  std::unordered_map<KEY, size_t> m_index;
};
