#pragma once
// CCnsPic: the constellation-picture sets installed on the machine and the user's colour of
// each. The sets are registered machine-wide under "CnsPic", one subkey per set named by its
// number, with the values "lst" (the set's picture file), "label" and "color" (its default
// colour, six hex digits blue-green-red). The user's colour of set n is the 32-bit value
// "color" under "CnsPic\n" of the user's application key.
//
// A set is identified by its picture file, compared ignoring letter case.
#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

struct tagCnsPicInfo {
  int nIndex = 0;           // the set's number: its subkey name read as a decimal number
  CString strLabel;         // display name
  CString strFile;          // picture file
  COLORREF crCurrent = 0;   // the user's colour, or the common default when none is stored
  COLORREF crDefault = 0;   // the set's own default colour
};

class ORV_API CCnsPic {
public:
  // The common default colour comes from the picture-set definition string (24527); without
  // that string it is black.
  CCnsPic();
  ~CCnsPic() {}
  CCnsPic(const CCnsPic&) = default;
  CCnsPic& operator=(const CCnsPic&) = default;

  // A cursor over the registered sets: 1 and the next set, or 0 after the last one (the next
  // call starts over). When the enumeration cannot begin it returns 0 and stays "started",
  // so the call after that also returns 0 and the one after that begins afresh.
  int EnumInfo(tagCnsPicInfo* info);
  // 1 and the set registered for `file`, or 0 when none is.
  int GetInfo(const CString& file, tagCnsPicInfo* info);
  // The user's colour of the set of `file`; the common default for an unknown file.
  COLORREF GetColor(const CString& file);
  // The number of the set of `file`, 0 for an unknown file.
  int GetIndex(const CString& file);
  // Stores the user's colour of set `index`.
  void SetColor(int index, DWORD color);
  // Forgets every user colour.
  void AllDefault();

protected:
  // 1 and the set's subkey name when a set is registered for `file`, else 0. A set with an
  // empty "lst" ends the search. Runs an enumeration of its own and leaves EnumInfo's alone.
  int Enum(const CString& file, CString& subkey);

  int m_nEnum;            // EnumInfo: 0 not started, 1 enumerating
  COLORREF m_crDefault;   // common default colour of every set

private:
  void ReadInfo(const CString& subkey, tagCnsPicInfo* info) const;
  COLORREF ReadUserColor(int index) const;
};
