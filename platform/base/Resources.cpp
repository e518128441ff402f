#include "platform/base/Resources.h"

#include <algorithm>
#include <memory>
#include <string>

struct ResourceModule {
  std::string name;
  const orv::ResourceTable* table;
};

namespace orv {
namespace {
// The chain itself is process-wide, as the framework's is: modules register at load.
std::vector<std::unique_ptr<ResourceModule>>& Chain() {
  static std::vector<std::unique_ptr<ResourceModule>> chain;
  return chain;
}

template <typename Map>
const typename Map::mapped_type* Find(UINT id, HINSTANCE module, Map ResourceTable::*member) {
  for (const auto& m : Chain()) {
    if (module != nullptr && m.get() != module) continue;
    const Map& map = m->table->*member;
    auto it = map.find(id);
    if (it != map.end()) return &it->second;
  }
  return nullptr;
}
}  // namespace

HINSTANCE RegisterResourceModule(const char* name, const ResourceTable* table) {
  Chain().push_back(std::make_unique<ResourceModule>(ResourceModule{name ? name : "", table}));
  return Chain().back().get();
}

void UnregisterResourceModule(HINSTANCE module) {
  auto& chain = Chain();
  chain.erase(std::remove_if(chain.begin(), chain.end(), [&](const auto& m) { return m.get() == module; }),
              chain.end());
}

const std::wstring* FindResourceString(UINT id, HINSTANCE module) {
  return Find(id, module, &ResourceTable::strings);
}

const std::vector<std::uint8_t>* FindResourceBitmap(UINT id, HINSTANCE module) {
  return Find(id, module, &ResourceTable::bitmaps);
}

const DialogTemplate* FindResourceDialog(UINT id, HINSTANCE module) {
  return Find(id, module, &ResourceTable::dialogs);
}

}  // namespace orv
