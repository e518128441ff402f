#pragma once
// CRegistry: the application's settings in the registry, all through static operations.
//
// A key without a root is relative to the application key "Software\Orrelab\Skyweave\10.0"
// under HKEY_CURRENT_USER; the operations that take a root name a key relative to the
// application key under that root. A key of "" is the application key itself.
//
// Every operation returns non-zero on success. A Read whose value is missing, or stored with
// another type, or unreadable, gives the default and returns 0. A Write creates the keys it
// needs.
//
// Stored forms (what another module or a .reg file sees):
//   string                REG_SZ
//   DWORD                 REG_DWORD
//   int, kind DT_BOOL (0) REG_DWORD 0 or 1 (any non-zero is on, read back as 1)
//   int, kind DT_INT (1)  REG_DWORD holding the int's 32 bits (negative values round-trip)
//   double                REG_SZ, shortest decimal text that reads back to the same double
//                         ("0.1", "-2.5e-07", "nan", "inf")
//   CRect                 REG_SZ "left,top,right,bottom" in decimal
//   CSize                 REG_SZ "cx,cy" in decimal
// Any other kind is refused: Write returns 0 and stores nothing, Read gives the default.
#include "platform/base/CString.h"
#include "platform/base/Export.h"
#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/base/WinTypes.h"
#include "platform/store/WinReg.h"

class CDialog;

class ORV_API CRegistry : public CObject {
  DECLARE_DYNAMIC(CRegistry)

public:
  // How an int is stored; the same numbers as the kind argument of the int forms.
  enum DATATYPE { DT_BOOL = 0, DT_INT = 1 };

  CRegistry();
  ~CRegistry() override;

  // --- strings
  static int Read(const CString& key, const CString& name, const CString& defaultValue, CString& value);
  static int Write(const CString& key, const CString& name, const CString& value);
  // Under another root (only HKEY_LOCAL_MACHINE is passed by the library).
  static int Read(HKEY root, const CString& key, const CString& name, const CString& defaultValue,
                  CString& value);

  // --- 32-bit numbers
  static int Read(const CString& key, const CString& name, DWORD defaultValue, DWORD* value);
  static int Write(const CString& key, const CString& name, DWORD value);

  // --- ints; kind 0 (DT_BOOL) for on/off values, 1 (DT_INT) for numbers
  static int Read(const CString& key, const CString& name, int defaultValue, int* value, int kind);
  static int Write(const CString& key, const CString& name, int value, int kind);

  // --- enumeration of the subkeys of `key` under `root`
  // step 0 begins (non-zero when the key exists), step 1 puts the next subkey name into
  // `subkey` and returns non-zero, or returns 0 and leaves `subkey` empty when none is left;
  // step 3 ends the enumeration. Steps 1 and 3 name the same root and key as step 0. The
  // position is kept between calls; enumerations may nest (the innermost one of a root and
  // key is the one that steps 1 and 3 act on). Up to 32 may be open at once; beginning
  // another ends the oldest. The two trailing ints are reserved and passed as 0.
  static int GetRegEnumKey(HKEY root, int step, const CString& key, CString& subkey, int reserved1 = 0,
                           int reserved2 = 0);

  // --- a dialog's screen position: Write(key, name, CDialog*) and Read(key, name, CDialog*)
  // belong to the window layer and are declared by it here.
  // Write stores the place of the window the user sees (the dialog's frame) as a CRect;
  // Read moves that window there, keeping its size, and pulled onto the screen. Read
  // leaves the window where it is (and returns 0) when nothing is stored. Both are defined
  // by the styled dialog module (orvcst), which callers of these two forms link.
  static int Write(const CString& key, const CString& name, CDialog* dialog);
  static int Read(const CString& key, const CString& name, CDialog* dialog);

  // --- load or store: save non-zero stores `value`; save 0 loads it, `defaultValue` when
  // nothing is stored. Same stored forms as above.
  static int UpdateReg(const CString& key, const CString& name, const CString& defaultValue, CString& value,
                       int save);
  static int UpdateReg(const CString& key, const CString& name, int defaultValue, int& value, DATATYPE type,
                       int save);
  static int UpdateReg(const CString& key, const CString& name, double defaultValue, double& value, int save);
  static int UpdateReg(const CString& key, const CString& name, const CRect& defaultValue, CRect& value,
                       int save);
  static int UpdateReg(const CString& key, const CString& name, const CSize& defaultValue, CSize& value,
                       int save);

  // The full path below a root of a key relative to the application key.
  static CString GetFullKey(const CString& key);

protected:
  CString m_strKey;
};
