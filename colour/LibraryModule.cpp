// Load and unload of the library: its resources join the framework's resource chain, so that
// ordinary look-ups made for the calling module find them, and the group tables of the
// colour dialog are built; unloading undoes both.
#include <memory>

#include "colour/ColorGroups.h"
#include "platform/base/Resources.h"
#include "res/LibraryResources.h"
#include "res/ResourceIds.h"

namespace {

struct GroupRow {
  UINT labelId;
  const wchar_t* key;
};

// The tree's top level, in display order.
constexpr GroupRow kGroups[orv::kColorGroupCount] = {
    {IDS_GROUP_STAR, L"STAR"},   {IDS_GROUP_GCVS, L"GCVS"},   {IDS_GROUP_WDS, L"WDS"},     {IDS_GROUP_CNS, L"CNS"},
    {IDS_GROUP_NBL, L"NBL"},     {IDS_GROUP_PGC, L"PGC"},     {IDS_GROUP_MW, L"MW"},       {IDS_GROUP_SUN, L"SUN"},
    {IDS_GROUP_PLN, L"PLN"},     {IDS_GROUP_DPLN, L"DPLN"},   {IDS_GROUP_SAT, L"SAT"},     {IDS_GROUP_COMET, L"COMET"},
    {IDS_GROUP_MP, L"MP"},       {IDS_GROUP_ASAT, L"ASAT"},   {IDS_GROUP_SC, L"SC"},       {IDS_GROUP_MT, L"MT"},
    {IDS_GROUP_GRID, L"GRID"},   {IDS_GROUP_VIEW, L"VIEW"},   {IDS_GROUP_IMAGE, L"IMAGE"},
};

class LibraryModule {
public:
  LibraryModule() : resources_(orv::res::BuildResourceTable()) {
    handle_ = orv::RegisterResourceModule("orvdcm", &resources_);
    for (const GroupRow& row : kGroups) {
      labelIds_.Add(row.labelId);
      keys_.Add(row.key);
    }
    s_loaded = this;
  }
  ~LibraryModule() {
    s_loaded = nullptr;
    labelIds_.RemoveAll();
    keys_.RemoveAll();
    orv::UnregisterResourceModule(handle_);
  }
  LibraryModule(const LibraryModule&) = delete;
  LibraryModule& operator=(const LibraryModule&) = delete;

  static const LibraryModule* Loaded() { return s_loaded; }
  const CUIntArray& LabelIds() const { return labelIds_; }
  const CStringArray& Keys() const { return keys_; }
  HINSTANCE Handle() const { return handle_; }

private:
  static inline const LibraryModule* s_loaded = nullptr;
  orv::ResourceTable resources_;
  HINSTANCE handle_ = nullptr;
  CUIntArray labelIds_;
  CStringArray keys_;
};

// Constructed when the library is loaded, destroyed when it is unloaded.
LibraryModule g_module;

// What the accessors answer before load and after unload; never destroyed, so it stays
// valid for code that runs during process exit.
template <class T>
const T& Empty() {
  static const T* empty = new T;
  return *empty;
}

}  // namespace

namespace orv {

const CUIntArray& ColorGroupLabelIds() {
  const LibraryModule* m = LibraryModule::Loaded();
  return m != nullptr ? m->LabelIds() : Empty<CUIntArray>();
}

const CStringArray& ColorGroupKeys() {
  const LibraryModule* m = LibraryModule::Loaded();
  return m != nullptr ? m->Keys() : Empty<CStringArray>();
}

HINSTANCE LibraryResourceHandle() {
  const LibraryModule* m = LibraryModule::Loaded();
  return m != nullptr ? m->Handle() : nullptr;
}

}  // namespace orv
