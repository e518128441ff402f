#include "platform/store/detail/RegistryCache.h"

#include <cstring>

#include "platform/base/CString.h"

namespace orv::store {
namespace {
constexpr std::size_t kEntryCharge = 96;  // hash node, bucket and string headers
}  // namespace

std::string_view RegistryCache::Tag(Kind kind, KeyId key, std::wstring_view name) {
  // Each character upper-cased as one 32-bit unit: equal tags are the names the store
  // takes as equal, and a name that cannot be stored never matches one that can.
  m_tag.resize(1 + sizeof key + name.size() * 4);
  char* out = m_tag.data();
  *out++ = static_cast<char>(kind);
  std::memcpy(out, &key, sizeof key);
  out += sizeof key;
  for (wchar_t ch : name) {
    auto unit = static_cast<std::uint32_t>(orv::UpperCase(ch));
    std::memcpy(out, &unit, 4);
    out += 4;
  }
  return m_tag;
}

void RegistryCache::Charge(std::size_t bytes) {
  ++m_changes;
  m_bytes += bytes + kEntryCharge;
  if (m_bytes > kBudgetBytes) {
    m_keys.clear();
    m_values.clear();
    m_exists.clear();
    m_bytes = bytes + kEntryCharge;
  }
}

bool RegistryCache::FindKey(std::string_view tag, KeyId* key) const {
  auto it = m_keys.find(tag);
  if (it == m_keys.end() || (it->second < 0 && it->second != -m_missingEpoch)) return false;
  *key = it->second < 0 ? kNoKey : it->second;
  return true;
}

void RegistryCache::PutKey(std::string_view tag, KeyId key) {
  Charge(tag.size());
  m_keys.insert_or_assign(std::string(tag), key == kNoKey ? -m_missingEpoch : key);
  if (key != kNoKey) m_exists[key] = true;
}

int RegistryCache::Exists(KeyId key) const {
  auto it = m_exists.find(key);
  return it == m_exists.end() ? -1 : (it->second ? 1 : 0);
}

void RegistryCache::PutExists(KeyId key, bool exists) {
  Charge(0);
  m_exists[key] = exists;
}

const RegistryCache::Value* RegistryCache::FindValue(std::string_view tag) const {
  auto it = m_values.find(tag);
  return it != m_values.end() ? &it->second : nullptr;
}

const RegistryCache::Value* RegistryCache::PutValue(std::string_view tag, Value value) {
  Charge(tag.size() + value.record.name.size() * sizeof(wchar_t) + value.record.data.size());
  return &m_values.insert_or_assign(std::string(tag), std::move(value)).first->second;
}

void RegistryCache::DropValue(std::string_view tag) {
  ++m_changes;
  auto it = m_values.find(tag);
  if (it != m_values.end()) m_values.erase(it);
}

template <typename Window>
Window& RegistryCache::Renew(std::unordered_map<KeyId, Window>& windows, KeyId key) {
  ++m_changes;
  if (windows.size() >= kWindowKeys && windows.count(key) == 0) windows.clear();
  return windows[key] = Window{};
}

RegistryCache::SubkeyWindow* RegistryCache::FindSubkeyWindow(KeyId key) {
  auto it = m_subkeyWindows.find(key);
  return it != m_subkeyWindows.end() ? &it->second : nullptr;
}

RegistryCache::SubkeyWindow& RegistryCache::NewSubkeyWindow(KeyId key) { return Renew(m_subkeyWindows, key); }

RegistryCache::ValueWindow* RegistryCache::FindValueWindow(KeyId key) {
  auto it = m_valueWindows.find(key);
  return it != m_valueWindows.end() ? &it->second : nullptr;
}

RegistryCache::ValueWindow& RegistryCache::NewValueWindow(KeyId key) { return Renew(m_valueWindows, key); }

void RegistryCache::DropSubkeyWindow(KeyId key) {
  ++m_changes;
  m_subkeyWindows.erase(key);
}

void RegistryCache::DropValueWindow(KeyId key) {
  ++m_changes;
  m_valueWindows.erase(key);
}

void RegistryCache::Clear() {
  ++m_changes;
  m_keys.clear();
  m_values.clear();
  m_exists.clear();
  m_subkeyWindows.clear();
  m_valueWindows.clear();
  m_bytes = 0;
}
}  // namespace orv::store
