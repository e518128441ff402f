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
  tag_.resize(1 + sizeof key + name.size() * 4);
  char* out = tag_.data();
  *out++ = static_cast<char>(kind);
  std::memcpy(out, &key, sizeof key);
  out += sizeof key;
  for (wchar_t ch : name) {
    auto unit = static_cast<std::uint32_t>(orv::UpperCase(ch));
    std::memcpy(out, &unit, 4);
    out += 4;
  }
  return tag_;
}

void RegistryCache::Charge(std::size_t bytes) {
  ++changes_;
  bytes_ += bytes + kEntryCharge;
  if (bytes_ > kBudgetBytes) {
    keys_.clear();
    values_.clear();
    exists_.clear();
    bytes_ = bytes + kEntryCharge;
  }
}

bool RegistryCache::FindKey(std::string_view tag, KeyId* key) const {
  auto it = keys_.find(tag);
  if (it == keys_.end() || (it->second < 0 && it->second != -missingEpoch_)) return false;
  *key = it->second < 0 ? kNoKey : it->second;
  return true;
}

void RegistryCache::PutKey(std::string_view tag, KeyId key) {
  Charge(tag.size());
  keys_.insert_or_assign(std::string(tag), key == kNoKey ? -missingEpoch_ : key);
  if (key != kNoKey) exists_[key] = true;
}

int RegistryCache::Exists(KeyId key) const {
  auto it = exists_.find(key);
  return it == exists_.end() ? -1 : (it->second ? 1 : 0);
}

void RegistryCache::PutExists(KeyId key, bool exists) {
  Charge(0);
  exists_[key] = exists;
}

const RegistryCache::Value* RegistryCache::FindValue(std::string_view tag) const {
  auto it = values_.find(tag);
  return it != values_.end() ? &it->second : nullptr;
}

const RegistryCache::Value* RegistryCache::PutValue(std::string_view tag, Value value) {
  Charge(tag.size() + value.record.name.size() * sizeof(wchar_t) + value.record.data.size());
  return &values_.insert_or_assign(std::string(tag), std::move(value)).first->second;
}

void RegistryCache::DropValue(std::string_view tag) {
  ++changes_;
  auto it = values_.find(tag);
  if (it != values_.end()) values_.erase(it);
}

template <typename Window>
Window& RegistryCache::Renew(std::unordered_map<KeyId, Window>& windows, KeyId key) {
  ++changes_;
  if (windows.size() >= kWindowKeys && windows.count(key) == 0) windows.clear();
  return windows[key] = Window{};
}

RegistryCache::SubkeyWindow* RegistryCache::FindSubkeyWindow(KeyId key) {
  auto it = subkeyWindows_.find(key);
  return it != subkeyWindows_.end() ? &it->second : nullptr;
}

RegistryCache::SubkeyWindow& RegistryCache::NewSubkeyWindow(KeyId key) { return Renew(subkeyWindows_, key); }

RegistryCache::ValueWindow* RegistryCache::FindValueWindow(KeyId key) {
  auto it = valueWindows_.find(key);
  return it != valueWindows_.end() ? &it->second : nullptr;
}

RegistryCache::ValueWindow& RegistryCache::NewValueWindow(KeyId key) { return Renew(valueWindows_, key); }

void RegistryCache::DropSubkeyWindow(KeyId key) {
  ++changes_;
  subkeyWindows_.erase(key);
}

void RegistryCache::DropValueWindow(KeyId key) {
  ++changes_;
  valueWindows_.erase(key);
}

void RegistryCache::Clear() {
  ++changes_;
  keys_.clear();
  values_.clear();
  exists_.clear();
  subkeyWindows_.clear();
  valueWindows_.clear();
  bytes_ = 0;
}
}  // namespace orv::store
