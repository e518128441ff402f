#pragma once
// Paged pixel storage. An image's pixels are one array of planes, each plane rows top to
// bottom, each row contiguous. Storage up to the manager's memory limit lives in anonymous
// memory; larger storage lives in an unlinked file in the manager's swap folder, mapped
// shared, so the kernel pages it to disk and images larger than the machine's memory work.
// Either way every pixel keeps one address for the storage's lifetime, so an address handed
// out stays valid (the rest of its row follows it) until the storage is destroyed.
//
// The storage is cut into blocks of the manager's block size for locking: a lock keeps a
// block resident in the caller's view of things; releasing the last lock of a file-backed
// block (Unlock, UnlockAll) drops its pages from memory (they stay in the file).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

// Flags of CVmImage::GetImageAdr.
inline constexpr UINT VM_ADR_READ = 0x1;      // the caller only reads
inline constexpr UINT VM_ADR_PREFETCH = 0x2;  // ask the kernel to read the block ahead

class CVmImage;

// Settings shared by the storages that use one manager: block size, the memory limit above
// which storage goes to a file, and the folder for those files.
class ORV_API CVmManager {
public:
  static constexpr int kDefaultBlockSize = 1 << 20;
  static constexpr std::uint64_t kDefaultMemoryLimit = std::uint64_t{256} << 20;

  // folder: where file-backed storage is created; empty means "/var/tmp".
  explicit CVmManager(std::string folder = {}, std::uint64_t memoryLimit = kDefaultMemoryLimit,
                      int blockSize = kDefaultBlockSize);
  // The manager that storages use when none is given.
  static CVmManager& Default();

  int GetBlockSize() const;
  std::uint64_t GetMemoryLimit() const { return m_nMemoryLimit; }
  const std::string& GetFolder() const { return m_strFolder; }

private:
  friend class CVmImage;
  int m_nBlockSize;
  std::uint64_t m_nMemoryLimit;
  std::string m_strFolder;
};

class ORV_API CVmImage {
public:
  // width x height pixels of bytesPixel bytes in planes planes, all bytes zero. Throws the
  // framework's memory exception when the size overflows or the storage cannot be made, and
  // its invalid-argument exception for a negative size.
  CVmImage(int width, int height, int planes, int bytesPixel, CVmManager* manager = nullptr);
  ~CVmImage();
  CVmImage(const CVmImage&) = delete;
  CVmImage& operator=(const CVmImage&) = delete;

  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  int GetPlanes() const { return m_nPlanes; }
  int GetBytesPixel() const { return m_nBytesPixel; }
  std::size_t GetRowBytes() const { return m_nRowBytes; }
  std::uint64_t GetByteCount() const { return m_nBytes; }

  // Address of pixel (x, y) of plane; the rest of row y follows contiguously. read: 0 or 1
  // (VM_ADR_READ); prefetch: 0 or 2 (VM_ADR_PREFETCH). lock, when given, takes a lock on the
  // pixel's block and receives the block's index. Coordinates are trusted.
  BYTE* GetImageAdr(int x, int y, int plane, int read = 1, int prefetch = 0, int* lock = nullptr) const;
  // Releases one lock of the block that holds p; FALSE when p is not in this storage.
  BOOL Unlock(const void* p) const;
  // Releases every lock.
  void UnlockAll() const;
  // TRUE when the pixels live in anonymous memory rather than in a file.
  BOOL IsOnMemory() const { return m_bOnMemory; }
  int GetLockCount(int block) const { return m_locks[static_cast<std::size_t>(block)]; }
  int GetBlockCount() const { return static_cast<int>(m_locks.size()); }

private:
  void ReleaseBlock(std::size_t block) const;

  int m_nWidth;
  int m_nHeight;
  int m_nPlanes;
  int m_nBytesPixel;
  std::size_t m_nRowBytes;
  std::uint64_t m_nBytes;
  std::size_t m_nBlockSize;
  BYTE* m_pBase = nullptr;
  std::size_t m_nMapped = 0;
  BOOL m_bOnMemory = TRUE;
  mutable std::vector<int> m_locks;
};
