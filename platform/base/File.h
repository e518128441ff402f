#pragma once
// CFile and CStdioFile: the framework's files over POSIX descriptors.
//
// Replacing writes: opening with modeCreate (without modeNoTruncate) writes a new version
// beside the file, under a temporary name created exclusively, and Close renames it over
// the file. Until then readers see the old content; Abort, a failed Close, or destroying
// the object while an exception unwinds leaves the old file as it was. Destroying an open
// object otherwise closes it, as the framework does.
//
// Sharing modes are emulated with advisory locks (see FileLock.h): shareDenyNone takes no
// lock; every other mode takes a shared lock when the file is only read and an exclusive
// lock when it is written (on the file being replaced, for replacing writes). An open that
// cannot take its lock fails at once with CFileException::sharingViolation, as an open
// against a conflicting sharing mode does on the original platform. Readers that deny
// nothing are not seen by the locks.
//
// Text files (CStdioFile): ReadString recognises a UTF-16LE, UTF-16BE or UTF-8 byte-order
// mark; without one the file is read as UTF-8, or as CP932 when its bytes are not valid
// UTF-8. Lines end at LF, CR LF or CR and come without their terminator; damaged bytes
// become U+FFFD and NUL characters stay in the line. WriteString writes the text as given
// (no newline translation; typeText and typeBinary change nothing) in the file's write
// encoding: UTF-8 unless SetTextEncoding chose another; a file that is empty when opened
// for writing gets the encoding's byte-order mark, and writing into an existing file
// continues in the encoding that file already has.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/base/CString.h"
#include "platform/base/Exception.h"
#include "platform/base/Object.h"
#include "platform/base/TextEncoding.h"

using ULONGLONG = std::uint64_t;
using LONGLONG = std::int64_t;

namespace orv {
class AtomicFile;
class TextDecoder;
// A file name without its extension (a leading "." starts no extension: ".profile").
ORV_API CString FileTitleOf(const CString& name);
}  // namespace orv

class ORV_API CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

  CFile();
  // Opens at once; throws CFileException* when the open fails.
  CFile(const wchar_t* path, UINT flags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Non-zero on success. On failure, error (when given) receives the cause and errno.
  virtual BOOL Open(const wchar_t* path, UINT flags, CFileException* error = nullptr);
  // Errors of the operations below throw CFileException*, as the framework's do.
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetLength() const;
  virtual ULONGLONG GetPosition() const;
  virtual void Flush();
  // Closes; a replacing write is committed here. Closing a closed file does nothing.
  virtual void Close();
  // Closes without committing and without throwing.
  virtual void Abort();

  BOOL IsOpen() const { return m_fd >= 0; }
  // The full path given to Open, its file name, and that name without its extension.
  virtual CString GetFilePath() const;
  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;

  // Renames a file; fails when newName exists already. Throws CFileException* on failure.
  static void Rename(const wchar_t* oldName, const wchar_t* newName);
  // Deletes a file (not a folder). Throws CFileException* on failure.
  static void Remove(const wchar_t* fileName);

protected:
  int Descriptor() const { return m_fd; }
  UINT OpenFlagsInUse() const { return m_flags; }
  bool CanRead() const { return (m_flags & 3) != modeWrite; }
  bool CanWrite() const { return (m_flags & 3) != modeRead; }
  // Closes, or aborts while an exception unwinds; never throws. Each destructor in the
  // hierarchy calls it so that its own Close runs.
  void CloseOnDestruction() noexcept;
  [[noreturn]] void ThrowOsError(int osError) const;

private:
  void Release();

  int m_fd = -1;
  int m_lockFd = -1;  // the replaced file, locked while a replacing write runs
  UINT m_flags = 0;
  CString m_path;
  std::unique_ptr<orv::AtomicFile> m_replace;
  int m_exceptionsAtOpen = 0;
};

class ORV_API CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
public:
  CStdioFile();
  CStdioFile(const wchar_t* path, UINT flags);
  ~CStdioFile() override;

  // The encoding WriteString uses for files this object creates (UTF-8 by default).
  // Takes effect at the next Open.
  void SetTextEncoding(orv::TextEncoding encoding) { m_configuredEncoding = encoding; }
  orv::TextEncoding GetWriteEncoding() const { return m_writeEncoding; }

  BOOL Open(const wchar_t* path, UINT flags, CFileException* error = nullptr) override;
  // Reads the next line without its terminator. FALSE (and an empty line) at the end.
  virtual BOOL ReadString(CString& line);
  // Writes text as given. A null text throws CInvalidArgException*.
  virtual void WriteString(const wchar_t* text);

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetLength() const override;
  ULONGLONG GetPosition() const override;
  void Flush() override;
  void Close() override;
  void Abort() override;

private:
  void ResetBuffers();
  void FlushWrites();
  void DropReadAhead();
  bool FillReadAhead();
  orv::TextEncoding DetectFileEncoding();
  std::size_t Unread() const { return m_in.size() - m_inPos; }

  orv::TextEncoding m_configuredEncoding = orv::TextEncoding::Utf8;
  orv::TextEncoding m_writeEncoding = orv::TextEncoding::Utf8;
  std::optional<orv::TextEncoding> m_readEncoding;
  std::unique_ptr<orv::TextDecoder> m_decoder;
  std::string m_in;  // bytes read ahead; m_inPos of them are consumed
  std::size_t m_inPos = 0;
  bool m_inEof = false;
  std::string m_out;  // encoded text not yet written
};
