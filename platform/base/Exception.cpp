#include "platform/base/Exception.h"

#include <cwchar>

namespace {
BOOL CopyMessage(const wchar_t* text, wchar_t* buffer, UINT maxChars) {
  if (buffer == nullptr || maxChars == 0) return FALSE;
  std::wcsncpy(buffer, text, maxChars - 1);
  buffer[maxChars - 1] = L'\0';
  return TRUE;
}
}  // namespace

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

CException::~CException() = default;

BOOL CException::GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  if (buffer && maxChars) buffer[0] = L'\0';
  return FALSE;
}

BOOL CInvalidArgException::GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(L"Encountered an improper argument.", buffer, maxChars);
}

BOOL CMemoryException::GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(L"Out of memory.", buffer, maxChars);
}

BOOL CFileException::GetErrorMessage(wchar_t* buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  static const wchar_t* const texts[] = {
      L"No error occurred.", L"An unspecified error occurred.", L"The file could not be located.",
      L"All or part of the path is invalid.", L"The permitted number of open files was exceeded.",
      L"The file could not be accessed.", L"There was an attempt to use an invalid file handle.",
      L"The current working directory cannot be removed.", L"There are no more directory entries.",
      L"There was an error trying to set the file pointer.", L"There was a hardware error.",
      L"SHARE.EXE was not loaded, or a shared region was locked.",
      L"There was an attempt to lock a region that was already locked.", L"The disk is full.",
      L"The end of file was reached."};
  int n = static_cast<int>(sizeof(texts) / sizeof(texts[0]));
  return CopyMessage(m_cause >= 0 && m_cause < n ? texts[m_cause] : texts[1], buffer, maxChars);
}

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowFileException(int cause, long osError, const wchar_t* fileName) {
  throw new CFileException(cause, osError, fileName);
}
