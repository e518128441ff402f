#include "sibling/skyview/SkyViewControl.h"

#include <utility>

CSkyViewControl::CSkyViewControl() : CSkyViewControl(orv::LearnSkyKeysFromStringTable()) {}

CSkyViewControl::CSkyViewControl(std::vector<orv::SkyKey> keys) {
  m_settings.reserve(keys.size());
  for (orv::SkyKey& key : keys) {
    if (m_index.count(key.name.str()) != 0) continue;
    m_index.emplace(key.name.str(), m_settings.size());
    DWORD start = key.byDefault.value;
    m_settings.push_back(Setting{std::move(key), start, start});
  }
}

HRESULT CSkyViewControl::Invoke(DISPID dispid, WORD flags, std::span<const orv::AutomationValue> args,
                                orv::AutomationValue* result) {
  if (dispid != orv::kSkyViewDispidCommand || (flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
  if (!args[0].IsString()) return DISP_E_TYPEMISMATCH;
  CString reply = Command(args[0].GetString());
  if (result != nullptr) *result = orv::AutomationValue(reply);
  return S_OK;
}

CString CSkyViewControl::Command(const CString& text) {
  CString reply;
  orv::SkyText parsed = orv::ParseSkyText(text.str());
  bool understood = Apply(parsed, reply);
  if (!understood) reply.Empty();
  m_transcript.push_back(orv::SkyExchange{text, reply, understood});
  if (understood && parsed.type == orv::SkyText::Type::ShowSky) {
    // A copy: a listener may remove itself (or another) while being called.
    auto listeners = m_redrawListeners;
    for (auto& [id, listener] : listeners) {
      (void)id;
      if (listener) listener();
    }
  }
  return reply;
}

int CSkyViewControl::AddRedrawListener(std::function<void()> listener) {
  int id = m_nNextListener++;
  m_redrawListeners.emplace_back(id, std::move(listener));
  return id;
}

void CSkyViewControl::RemoveRedrawListener(int id) {
  std::erase_if(m_redrawListeners, [id](const auto& entry) { return entry.first == id; });
}

bool CSkyViewControl::Apply(const orv::SkyText& text, CString& reply) {
  using Type = orv::SkyText::Type;
  switch (text.type) {
    case Type::ShowSky:
      ++m_nRedraws;
      return true;
    case Type::Query: {
      if (text.queryKey == kPictureFileKey) {
        reply = m_strPictureFile;
        return true;
      }
      const Setting* setting = Find(text.queryKey);
      if (setting == nullptr) return false;
      reply = orv::FormatSkyValue(orv::SkyValue{setting->key.byDefault.kind, setting->current});
      return true;
    }
    case Type::Settings: {
      if (!Accepts(text.current) || (text.hasDefault && !Accepts(text.byDefault))) return false;
      Find(text.current.key)->current = text.current.value.value;
      if (text.hasDefault) Find(text.byDefault.key)->byDefault = text.byDefault.value.value;
      return true;
    }
    case Type::NotUnderstood:
      break;
  }
  return false;
}

bool CSkyViewControl::Accepts(const orv::SkyAssignment& assignment) const {
  const Setting* setting = Find(assignment.key);
  if (setting == nullptr || setting->key.byDefault.kind != assignment.value.kind) return false;
  if (assignment.value.kind == orv::SkyValueKind::Size) {
    return assignment.value.value >= kMinFontSize && assignment.value.value <= kMaxFontSize;
  }
  return true;
}

const CSkyViewControl::Setting* CSkyViewControl::Find(const CString& key) const {
  auto it = m_index.find(key.str());
  return it == m_index.end() ? nullptr : &m_settings[it->second];
}

CSkyViewControl::Setting* CSkyViewControl::Find(const CString& key) {
  return const_cast<Setting*>(std::as_const(*this).Find(key));
}

std::optional<DWORD> CSkyViewControl::Value(const CString& key, orv::SkyValueKind kind, bool wantDefault) const {
  const Setting* setting = Find(key);
  if (setting == nullptr || setting->key.byDefault.kind != kind) return std::nullopt;
  return wantDefault ? setting->byDefault : setting->current;
}

std::optional<int> CSkyViewControl::GetSize(const CString& key) const {
  auto v = Value(key, orv::SkyValueKind::Size, false);
  return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

std::optional<COLORREF> CSkyViewControl::GetColor(const CString& key) const {
  return Value(key, orv::SkyValueKind::Color, false);
}

std::optional<int> CSkyViewControl::GetDefaultSize(const CString& key) const {
  auto v = Value(key, orv::SkyValueKind::Size, true);
  return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

std::optional<COLORREF> CSkyViewControl::GetDefaultColor(const CString& key) const {
  return Value(key, orv::SkyValueKind::Color, true);
}
