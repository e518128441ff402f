#pragma once
// CSkyViewControl: the sky-view control behind CCorLum. It takes the texts of the sky view's
// language (see SkyText.h) through its automation method 2, keeps the current and the default
// value of every key it knows, answers queries in the forms the commands use, and counts its
// redraws. A text it does not understand gets an empty reply and changes nothing.
//
// Every text received is kept with its reply in a transcript, so a host (or a test) can see
// exactly what went over the channel.
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "sibling/skyview/Automation.h"
#include "sibling/skyview/SkyKeys.h"
#include "sibling/skyview/SkyText.h"

namespace orv {
struct SkyExchange {
  CString text;
  CString reply;
  bool understood = false;
};
}  // namespace orv

class ORV_API CSkyViewControl : public orv::IAutomationTarget {
public:
  // Font sizes the control draws; a size outside them is not understood.
  static constexpr DWORD kMinFontSize = 1;
  static constexpr DWORD kMaxFontSize = 500;
  // The query the picture file is asked with.
  static constexpr const wchar_t* kPictureFileKey = L"Constellation.Picture.Image.File";

  // Knows the keys of the colour and font definitions in the resource chain.
  CSkyViewControl();
  // Knows exactly these keys, each starting at its default.
  explicit CSkyViewControl(std::vector<orv::SkyKey> keys);

  // Member kSkyViewDispidCommand: one string argument, string result.
  HRESULT Invoke(DISPID dispid, WORD flags, std::span<const orv::AutomationValue> args,
                 orv::AutomationValue* result) override;

  // The command method itself: applies or answers one text and records it.
  CString Command(const CString& text);

  // The constellation-picture file in use (empty for none); the host sets it.
  void SetPictureFile(const CString& path) { m_strPictureFile = path; }
  const CString& GetPictureFile() const { return m_strPictureFile; }

  int GetKeyCount() const { return static_cast<int>(m_settings.size()); }
  bool HasKey(const CString& key) const { return Find(key) != nullptr; }
  // Current and default values; nullopt for an unknown key or one of the other kind.
  std::optional<int> GetSize(const CString& key) const;
  std::optional<COLORREF> GetColor(const CString& key) const;
  std::optional<int> GetDefaultSize(const CString& key) const;
  std::optional<COLORREF> GetDefaultColor(const CString& key) const;

  int GetRedrawCount() const { return m_nRedraws; }
  // Called after every "Show Sky", in the order added, so that a view can redraw; returns an
  // id for RemoveRedrawListener. A listener may remove itself while it is being called.
  int AddRedrawListener(std::function<void()> listener);
  void RemoveRedrawListener(int id);
  const std::vector<orv::SkyExchange>& GetTranscript() const { return m_transcript; }
  void ClearTranscript() { m_transcript.clear(); }

  // Keeps the values, the picture file and the redraw count in a file, so that a later
  // process continues where this one stopped (the command line runs one command per
  // process). SaveState replaces the file as a whole; FALSE if it cannot be written (the old
  // file stays). LoadState takes what the file holds for keys this control knows and
  // ignores the rest; FALSE, and nothing changed, if the file cannot be read.
  BOOL SaveState(const CString& path) const;
  BOOL LoadState(const CString& path);

private:
  struct Setting {
    orv::SkyKey key;   // name and the kind and value the control starts with
    DWORD current = 0;
    DWORD byDefault = 0;
  };

  const Setting* Find(const CString& key) const;
  Setting* Find(const CString& key);
  bool Accepts(const orv::SkyAssignment& assignment) const;
  // Applies a parsed text; false when it is not understood (then nothing has changed).
  bool Apply(const orv::SkyText& text, CString& reply);
  std::optional<DWORD> Value(const CString& key, orv::SkyValueKind kind, bool wantDefault) const;

  std::vector<Setting> m_settings;
  std::unordered_map<std::wstring, size_t> m_index;
  CString m_strPictureFile;
  int m_nRedraws = 0;
  std::vector<std::pair<int, std::function<void()>>> m_redrawListeners;
  int m_nNextListener = 1;
  std::vector<orv::SkyExchange> m_transcript;
};
