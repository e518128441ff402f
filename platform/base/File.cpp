#include "platform/base/File.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/AtomicFile.h"
#include "platform/base/FileLock.h"
#include "platform/base/RegularFile.h"

namespace {

int CauseOf(int osError) {
  switch (osError) {
    case 0: return CFileException::none;
    case ENOENT: return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL: return CFileException::badPath;
    case EMFILE:
    case ENFILE: return CFileException::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case orv::kNotRegularFile:
    case EEXIST: return CFileException::accessDenied;
    case EBADF: return CFileException::invalidFile;
    case ESPIPE: return CFileException::badSeek;
    case EIO: return CFileException::hardIO;
    case EWOULDBLOCK: return CFileException::sharingViolation;
    case ENOSPC:
    case EDQUOT: return CFileException::diskFull;
    default: return CFileException::genericException;
  }
}

BOOL Fail(CFileException* error, int osError) {
  if (error != nullptr) {
    error->m_cause = CauseOf(osError);
    error->m_lOsError = osError;
  }
  return FALSE;
}

CString AbsolutePath(const std::string& native) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(native, ec);
  return CString(orv::WidePath(ec ? native : full.string()));
}

constexpr std::size_t kChunk = 65536;

}  // namespace

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)

// ---------------------------------------------------------------- CFile

CFile::CFile() = default;

CFile::CFile(const wchar_t* path, UINT flags) {
  CFileException error;
  if (!Open(path, flags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, path);
}

CFile::~CFile() { CloseOnDestruction(); }

BOOL CFile::Open(const wchar_t* path, UINT flags, CFileException* error) {
  if (m_fd >= 0) return Fail(error, EBUSY);
  if (path == nullptr || *path == L'\0') return Fail(error, ENOENT);
  const UINT access = flags & 3;
  if (access == 3) return Fail(error, EINVAL);
  const std::string native = orv::NativePath(path);
  const bool locks = (flags & 0x70) != shareDenyNone;
  const bool writes = access != modeRead;

  if ((flags & modeCreate) && !(flags & modeNoTruncate)) {
    if (locks) {
      // The file about to be replaced is locked until the new version takes its place.
      int lockFd = orv::OpenRegularFile(native, O_RDONLY);
      if (lockFd >= 0 && !orv::LockFile(lockFd, true, 0)) {
        int e = errno;
        close(lockFd);
        return Fail(error, e);
      }
      m_lockFd = lockFd;
    }
    auto replace = std::make_unique<orv::AtomicFile>();
    if (!replace->Create(native)) {
      int e = errno;
      Release();
      return Fail(error, e);
    }
    m_fd = replace->Descriptor();
    m_replace = std::move(replace);
  } else {
    int mode = access == modeRead ? O_RDONLY : access == modeWrite ? O_WRONLY : O_RDWR;
    int fd = orv::OpenRegularFile(native, mode | ((flags & modeCreate) ? O_CREAT : 0));
    if (fd < 0) return Fail(error, errno);
    if (locks && !orv::LockFile(fd, writes, 0)) {
      int e = errno;
      close(fd);
      return Fail(error, e);
    }
    m_fd = fd;
  }
  m_flags = flags;
  m_path = AbsolutePath(native);
  m_exceptionsAtOpen = std::uncaught_exceptions();
  return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (m_fd < 0 || !CanRead()) ThrowOsError(EBADF);
  if (count == 0) return 0;
  if (buffer == nullptr) AfxThrowInvalidArgException();
  auto* p = static_cast<char*>(buffer);
  UINT done = 0;
  while (done < count) {
    ssize_t n = read(m_fd, p + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowOsError(errno);
    }
    if (n == 0) break;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CFile::Write(const void* buffer, UINT count) {
  if (m_fd < 0 || !CanWrite()) ThrowOsError(EBADF);
  if (count == 0) return;
  if (buffer == nullptr) AfxThrowInvalidArgException();
  if (!orv::WriteAll(m_fd, buffer, count)) ThrowOsError(errno);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  if (m_fd < 0) ThrowOsError(EBADF);
  int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : from == end ? SEEK_END : -1;
  if (whence < 0) AfxThrowInvalidArgException();
  off_t at = lseek(m_fd, static_cast<off_t>(offset), whence);
  if (at < 0) AfxThrowFileException(CFileException::badSeek, errno);
  return static_cast<ULONGLONG>(at);
}

ULONGLONG CFile::GetLength() const {
  struct stat st {};
  if (m_fd < 0 || fstat(m_fd, &st) != 0) ThrowOsError(m_fd < 0 ? EBADF : errno);
  return static_cast<ULONGLONG>(st.st_size);
}

ULONGLONG CFile::GetPosition() const {
  off_t at = m_fd < 0 ? -1 : lseek(m_fd, 0, SEEK_CUR);
  if (at < 0) ThrowOsError(m_fd < 0 ? EBADF : errno);
  return static_cast<ULONGLONG>(at);
}

void CFile::Flush() {
  if (m_fd >= 0 && CanWrite() && fsync(m_fd) != 0 && errno != EINVAL) ThrowOsError(errno);
}

void CFile::Close() {
  if (m_fd < 0) return;
  int error = 0;
  if (m_replace) {
    if (!m_replace->Commit()) error = errno;
  } else if (close(m_fd) != 0 && errno != EINTR) {
    error = errno;
  }
  m_fd = -1;
  Release();
  if (error != 0) ThrowOsError(error);
}

void CFile::Abort() {
  if (m_fd < 0) return;
  if (m_replace)
    m_replace->Discard();
  else
    close(m_fd);
  m_fd = -1;
  Release();
}

void CFile::Release() {
  m_replace.reset();
  if (m_lockFd >= 0) close(m_lockFd);
  m_lockFd = -1;
}

void CFile::CloseOnDestruction() noexcept {
  if (m_fd < 0) return;
  // Unwinding means the content may be incomplete: keep the old file then.
  if (std::uncaught_exceptions() > m_exceptionsAtOpen) {
    Abort();
    return;
  }
  try {
    Close();
  } catch (CException* e) {
    e->Delete();
    Abort();
  } catch (...) {
    Abort();
  }
}

void CFile::ThrowOsError(int osError) const {
  AfxThrowFileException(CauseOf(osError), osError, m_path.GetString());
}

CString CFile::GetFilePath() const { return m_path; }

CString CFile::GetFileName() const {
  int slash = m_path.ReverseFind(L'/');
  return m_path.Mid(slash + 1);
}

CString CFile::GetFileTitle() const { return orv::FileTitleOf(GetFileName()); }

CString orv::FileTitleOf(const CString& name) {
  int dot = name.ReverseFind(L'.');
  return dot > 0 ? name.Left(dot) : name;
}

void CFile::Rename(const wchar_t* oldName, const wchar_t* newName) {
  if (oldName == nullptr || newName == nullptr) AfxThrowInvalidArgException();
  std::string from = orv::NativePath(oldName), to = orv::NativePath(newName);
  // Like the original, renaming never replaces an existing file.
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
  if (errno != EINVAL && errno != ENOSYS) AfxThrowFileException(CauseOf(errno), errno);
  struct stat st {};
  if (lstat(to.c_str(), &st) == 0) AfxThrowFileException(CauseOf(EEXIST), EEXIST);
  if (rename(from.c_str(), to.c_str()) != 0) AfxThrowFileException(CauseOf(errno), errno);
}

void CFile::Remove(const wchar_t* fileName) {
  if (fileName == nullptr) AfxThrowInvalidArgException();
  if (unlink(orv::NativePath(fileName).c_str()) != 0) AfxThrowFileException(CauseOf(errno), errno);
}

// ---------------------------------------------------------------- CStdioFile

CStdioFile::CStdioFile() = default;

CStdioFile::CStdioFile(const wchar_t* path, UINT flags) {
  CFileException error;
  if (!Open(path, flags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, path);
}

CStdioFile::~CStdioFile() { CloseOnDestruction(); }

BOOL CStdioFile::Open(const wchar_t* path, UINT flags, CFileException* error) {
  if (IsOpen()) return CFile::Open(path, flags, error);  // refuses, as for any open file
  ResetBuffers();
  if (!CFile::Open(path, flags, error)) return FALSE;
  m_writeEncoding = m_configuredEncoding;
  if (!CanWrite()) return TRUE;
  struct stat st {};
  if (fstat(Descriptor(), &st) == 0 && st.st_size == 0)
    m_out = std::string(orv::ByteOrderMark(m_writeEncoding));
  else
    m_writeEncoding = DetectFileEncoding();  // continue in the file's own encoding
  return TRUE;
}

orv::TextEncoding CStdioFile::DetectFileEncoding() {
  int fd = CanRead() ? Descriptor() : orv::OpenRegularFile(orv::NativePath(GetFilePath().str()), O_RDONLY);
  if (fd < 0) return m_configuredEncoding;
  auto readAt = [fd](char* buffer, std::size_t size, off_t offset) {
    ssize_t n;
    do n = pread(fd, buffer, size, offset);
    while (n < 0 && errno == EINTR);
    return n;
  };
  std::string chunk(kChunk, '\0');
  ssize_t n = readAt(chunk.data(), 3, 0);
  std::optional<orv::TextEncoding> found = n > 0 ? orv::EncodingFromMark(std::string_view(chunk.data(), n)) : std::nullopt;
  if (!found) {
    orv::Utf8Validator validator;
    for (off_t offset = 0; validator.Valid(); offset += n) {
      n = readAt(chunk.data(), chunk.size(), offset);
      if (n <= 0) break;
      validator.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
    }
    found = validator.Finish() ? orv::TextEncoding::Utf8 : orv::TextEncoding::Cp932;
  }
  if (fd != Descriptor()) close(fd);
  return *found;
}

BOOL CStdioFile::ReadString(CString& line) {
  line.Empty();
  if (!IsOpen() || !CanRead()) ThrowOsError(EBADF);
  FlushWrites();
  if (!m_readEncoding) {
    m_readEncoding = DetectFileEncoding();
    m_decoder = std::make_unique<orv::TextDecoder>(*m_readEncoding);
  }
  // The byte-order mark is not text: step over it when reading from the very start.
  std::string_view mark = orv::ByteOrderMark(*m_readEncoding);
  if (!mark.empty() && GetPosition() == 0) {
    while (Unread() < mark.size() && FillReadAhead()) {
    }
    if (std::string_view(m_in).substr(m_inPos, mark.size()) == mark) m_inPos += mark.size();
  }
  m_inEof = false;  // a file may have grown since the last read reached its end
  for (;;) {
    std::string_view bytes(m_in);
    if (auto end = orv::FindLineEnd(bytes, m_inPos, *m_readEncoding, m_inEof)) {
      line = CString(m_decoder->Decode(bytes.substr(m_inPos, end->contentEnd - m_inPos)));
      m_inPos = end->next;
      return TRUE;
    }
    if (m_inEof) return FALSE;
    FillReadAhead();
  }
}

bool CStdioFile::FillReadAhead() {
  if (m_inPos > 0) {
    m_in.erase(0, m_inPos);
    m_inPos = 0;
  }
  // Grow geometrically so that a very long line is scanned a bounded number of times.
  std::size_t want = std::max(kChunk, m_in.size());
  std::size_t old = m_in.size();
  m_in.resize(old + want);
  ssize_t n;
  do n = read(Descriptor(), m_in.data() + old, want);
  while (n < 0 && errno == EINTR);
  if (n < 0) {
    int e = errno;
    m_in.resize(old);
    ThrowOsError(e);
  }
  m_in.resize(old + static_cast<std::size_t>(n));
  if (n == 0) m_inEof = true;
  return n > 0;
}

void CStdioFile::WriteString(const wchar_t* text) {
  if (text == nullptr) AfxThrowInvalidArgException();
  if (!IsOpen() || !CanWrite()) ThrowOsError(EBADF);
  DropReadAhead();
  m_out += orv::EncodeText(text, m_writeEncoding);
  if (m_out.size() >= kChunk) FlushWrites();
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  if (!IsOpen() || !CanRead()) ThrowOsError(EBADF);
  if (count == 0) return 0;
  if (buffer == nullptr) AfxThrowInvalidArgException();
  FlushWrites();
  auto* p = static_cast<char*>(buffer);
  std::size_t fromBuffer = std::min<std::size_t>(count, Unread());
  m_in.copy(p, fromBuffer, m_inPos);
  m_inPos += fromBuffer;
  if (fromBuffer == count) return count;
  return static_cast<UINT>(fromBuffer) + CFile::Read(p + fromBuffer, count - static_cast<UINT>(fromBuffer));
}

void CStdioFile::Write(const void* buffer, UINT count) {
  if (!IsOpen() || !CanWrite()) ThrowOsError(EBADF);
  if (count == 0) return;
  if (buffer == nullptr) AfxThrowInvalidArgException();
  DropReadAhead();
  m_out.append(static_cast<const char*>(buffer), count);
  if (m_out.size() >= kChunk) FlushWrites();
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from) {
  FlushWrites();
  DropReadAhead();
  return CFile::Seek(offset, from);
}

ULONGLONG CStdioFile::GetLength() const { return std::max(CFile::GetLength(), GetPosition()); }

ULONGLONG CStdioFile::GetPosition() const { return CFile::GetPosition() - Unread() + m_out.size(); }

void CStdioFile::Flush() { FlushWrites(); }

void CStdioFile::Close() {
  if (!IsOpen()) return;
  try {
    FlushWrites();
  } catch (CException*) {
    Abort();  // a version that could not be written completely never replaces the file
    throw;
  }
  ResetBuffers();
  CFile::Close();
}

void CStdioFile::Abort() {
  ResetBuffers();
  CFile::Abort();
}

void CStdioFile::ResetBuffers() {
  m_in.clear();
  m_inPos = 0;
  m_inEof = false;
  m_out.clear();
  m_readEncoding.reset();
  m_decoder.reset();
}

void CStdioFile::FlushWrites() {
  if (m_out.empty()) return;
  std::string pending;
  pending.swap(m_out);
  for (std::size_t at = 0; at < pending.size(); at += kChunk * 1024) {
    std::size_t n = std::min(pending.size() - at, kChunk * 1024);
    CFile::Write(pending.data() + at, static_cast<UINT>(n));
  }
}

void CStdioFile::DropReadAhead() {
  if (Unread() > 0 && lseek(Descriptor(), -static_cast<off_t>(Unread()), SEEK_CUR) < 0) ThrowOsError(errno);
  m_in.clear();
  m_inPos = 0;
  m_inEof = false;
}
