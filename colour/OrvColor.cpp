#include "colour/OrvColor.h"

#include "colour/CnsPic.h"
#include "colour/HexColor.h"
#include "platform/base/Crt.h"
#include "platform/base/MessageBox.h"
#include "res/ResourceIds.h"

namespace {

// The definition strings in catalogue order, which is not id order. Each is
//   FONT:             label\group\size key\colour key\size\colour\FONT
//   LINE, MARK, ...:  label\group\colour key\colour\kind
//   CNSPIC:           the same, the label being a format for the picture set's name.
constexpr UINT kDefinitionIds[] = {
    // STAR
    24501, 24502, 24503, 24504, 24505, 24511, 24512, 24513, 24514, 24515, 24516, 24518, 24519, 24517,
    // GCVS, WDS
    24781, 24782, 24783, 24784, 24785, 24786, 24787, 24788, 24789, 24790, 24791, 24792,
    // CNS
    24521, 24522, 24523, 24524, 24525, 24527, 24531, 24532, 24533, 24534, 24535, 24536, 24537,
    // NBL, PGC
    24541, 24542, 24543, 24544, 24545, 24546, 24547, 24548, 24549, 24550, 24551, 24552, 24553, 24554, 24555,
    24556, 24557, 24558, 24559, 24560, 24561, 24562, 24563, 24564, 24565, 24566, 24567, 24568, 24569,
    24581, 24582, 24585, 24583, 24584,
    24586, 24587, 24588, 24589, 24590, 24591, 24592, 24593, 24594, 24595, 24596,
    // MW
    24601, 24602, 24603,
    // SUN
    24611, 24612, 24613, 24614, 24615, 24616, 24617, 24618, 24619, 24620, 24621, 24622, 24623, 24624, 24625,
    24628, 24629, 24630, 24626, 24627,
    // PLN, DPLN, SAT
    24631, 24632, 24633, 24634, 24635, 24636, 24637, 24638, 24639, 24640, 24641, 24642, 24643, 24644, 24645,
    24646, 24647, 24648, 24649, 24650, 24651, 24655, 24656, 24657, 24658, 24659,
    // COMET
    24661, 24662, 24663, 24664, 24665, 24666, 24667, 24668, 24669,
    // MP
    24681, 24682, 24683, 24684, 24685, 24686, 24687,
    // ASAT, SC, MT
    24691, 24692, 24701, 24702, 24703, 24711, 24712, 24713,
    // GRID
    24721, 24722, 24723, 24724, 24725, 24726, 24727, 24728, 24729, 24730, 24731, 24732, 24733, 24734, 24735,
    24736, 24737, 24738, 24739, 24740, 24741, 24742, 24743, 24744, 24745, 24746, 24747, 24748, 24749, 24750,
    24751, 24752, 24753,
    // VIEW
    24761, 24762, 24763, 24764,
    // IMAGE
    24800, 24801, 24802, 24803, 24804, 24805, 24806, 24807, 24808, 24809, 24810, 24811, 24812, 24813, 24814,
    24815, 24816, 24817, 24818, 24819, 24820, 24821, 24822, 24823, 24771, 24772, 24773, 24774,
};

// Takes the text up to the next backslash off the front of `rest`, with the backslash. With
// no backslash left the field is the whole rest.
CString TakeField(CString& rest) {
  int slash = rest.Find(L'\\');
  if (slash < 0) {
    CString field = rest;
    rest.Empty();
    return field;
  }
  CString field = rest.Left(slash);
  rest = rest.Mid(slash + 1);
  return field;
}

bool EndsWith(const CString& text, const wchar_t* tail) {
  CString t(tail);
  return text.GetLength() >= t.GetLength() && text.Right(t.GetLength()) == t;
}

COLORREF HexField(const CString& field) {
  COLORREF color = 0;
  orv::ReadHexColor(field, color);
  return color;
}

}  // namespace

COrvColor::COrvColor(CCorLum* pCorLum1, CCorLum* pCorLum2, CString strColorFontFile, CString strDefaultFile)
    : m_pCorLum2(pCorLum2),
      m_pCorLum1(pCorLum1),
      m_strColorFontFile(std::move(strColorFontFile)),
      m_strDefaultFile(std::move(strDefaultFile)) {
  CreateArray();
}

COrvColor::COrvColor(CString strColorFontFile, CString strDefaultFile)
    : COrvColor(nullptr, nullptr, std::move(strColorFontFile), std::move(strDefaultFile)) {}

COrvColor::~COrvColor() = default;

int COrvColor::GetCount() const { return m_aEntries.GetSize(); }

SColorEntry COrvColor::GetColorEntry(int index) const {
  if (index >= 0 && index < m_aEntries.GetSize()) return m_aEntries[index];
  CString message;
  message.Format(L"COrvColor::GetAColorEntry(): Index %d out of range.", index);
  AfxMessageBox(message, MB_OK);
  return SColorEntry{};
}

CString COrvColor::GetColorFontFile() const { return m_strColorFontFile; }

void COrvColor::CreateArray() {
  m_aEntries.RemoveAll();
  int next = 0;
  for (UINT id : kDefinitionIds) {
    CString rest;
    rest.LoadString(id);
    const bool font = EndsWith(rest, L"FONT");
    const bool pictures = !font && EndsWith(rest, L"CNSPIC");
    SColorEntry entry;
    entry.nID = static_cast<int>(id);
    if (font) {
      entry.strLabel = TakeField(rest);
      entry.strGroup = TakeField(rest);
      entry.strSizeKey = TakeField(rest);
      entry.strColorKey = TakeField(rest);
      entry.nDefaultSize = _wtoi(TakeField(rest));
      entry.crDefault = HexField(TakeField(rest));
      entry.strKind = rest;
      m_aEntries.SetAtGrow(next++, entry);
      continue;
    }
    entry.strLabel = TakeField(rest);
    entry.strGroup = TakeField(rest);
    entry.strColorKey = TakeField(rest);
    entry.crDefault = HexField(TakeField(rest));
    entry.strKind = rest;
    if (!pictures) {
      m_aEntries.SetAtGrow(next++, entry);
      continue;
    }
    // One entry per registered picture set, in enumeration order; none without a set.
    CCnsPic sets;
    tagCnsPicInfo info;
    while (sets.EnumInfo(&info)) {
      SColorEntry set = entry;
      set.strLabel.Format(entry.strLabel, info.strLabel);
      set.crDefault = info.crDefault;
      set.crCurrent = info.crCurrent;
      set.strRegKey.Format(L"CnsPic\\%d", info.nIndex);
      set.strFile = info.strFile;
      m_aEntries.SetAtGrow(next++, set);
    }
  }
}
