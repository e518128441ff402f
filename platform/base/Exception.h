#pragma once
// The framework's exceptions. As in the original, they are thrown as pointers to heap
// objects and the catcher calls Delete():  catch (CException* e) { ...; e->Delete(); }
#include "platform/base/CString.h"
#include "platform/base/Object.h"

class ORV_API CException : public CObject {
  DECLARE_DYNAMIC(CException)
public:
  CException() = default;
  ~CException() override;
  void Delete() { delete this; }
  // Copies a short description into the buffer (always terminated); FALSE if none.
  virtual BOOL GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext = nullptr) const;
};

class ORV_API CInvalidArgException : public CException {
  DECLARE_DYNAMIC(CInvalidArgException)
public:
  BOOL GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

class ORV_API CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
public:
  BOOL GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

class ORV_API CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
public:
  enum { none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
         invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
         lockViolation, diskFull, endOfFile };
  explicit CFileException(int cause = none, long osError = -1, const wchar_t* fileName = nullptr)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName != nullptr ? fileName : L"") {}
  BOOL GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
  int m_cause;
  long m_lOsError;         // the errno value, -1 when none
  CString m_strFileName;   // the file at fault, when known
};

[[noreturn]] ORV_API void AfxThrowInvalidArgException();
[[noreturn]] ORV_API void AfxThrowMemoryException();
[[noreturn]] ORV_API void AfxThrowFileException(int cause, long osError = -1, const wchar_t* fileName = nullptr);
