#include "sibling/orvcim/VmImage.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <string>

#include "platform/base/Exception.h"

namespace {
constexpr const char* kDefaultFolder = "/var/tmp";

// An unlinked file of size bytes in folder, or -1.
int MakeSwapFile(const std::string& folder, std::uint64_t size) {
  int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) {
    // Filesystems without O_TMPFILE: a named file removed at once.
    std::string path = folder + "/orvcim-XXXXXX";
    fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    ::unlink(path.c_str());
  }
  // Reserve the disk space now: a shared mapping that runs out of it later faults.
  int rc = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
  if (rc == EOPNOTSUPP || rc == EINVAL) rc = ::ftruncate(fd, static_cast<off_t>(size)) == 0 ? 0 : errno;
  if (rc != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}
}  // namespace

CVmManager::CVmManager(std::string folder, std::uint64_t memoryLimit, int blockSize)
    : m_nBlockSize(blockSize > 0 ? blockSize : kDefaultBlockSize),
      m_nMemoryLimit(memoryLimit),
      m_strFolder(folder.empty() ? std::string(kDefaultFolder) : std::move(folder)) {}

CVmManager& CVmManager::Default() {
  static CVmManager manager;
  return manager;
}

CVmImage::CVmImage(int width, int height, int planes, int bytesPixel, CVmManager* manager)
    : m_nWidth(width), m_nHeight(height), m_nPlanes(planes), m_nBytesPixel(bytesPixel) {
  if (width < 0 || height < 0 || planes < 0 || bytesPixel < 0) AfxThrowInvalidArgException();
  CVmManager& mgr = manager != nullptr ? *manager : CVmManager::Default();
  std::uint64_t row = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bytesPixel);
  std::uint64_t rows = static_cast<std::uint64_t>(height) * static_cast<std::uint64_t>(planes);
  if (rows != 0 && row > std::numeric_limits<std::uint64_t>::max() / rows) AfxThrowMemoryException();
  m_nBytes = row * rows;
  if (m_nBytes > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max() / 2))
    AfxThrowMemoryException();
  m_nRowBytes = static_cast<std::size_t>(row);
  m_nBlockSize = static_cast<std::size_t>(mgr.m_nBlockSize);
  if (m_nBytes == 0) return;

  std::size_t length = static_cast<std::size_t>(m_nBytes);
  void* base = MAP_FAILED;
  if (m_nBytes <= mgr.m_nMemoryLimit) {
    base = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    // Large pages where the kernel offers them: fewer TLB misses when a loop walks a plane.
    if (base != MAP_FAILED) ::madvise(base, length, MADV_HUGEPAGE);
    m_bOnMemory = TRUE;
  } else {
    int fd = MakeSwapFile(mgr.m_strFolder, m_nBytes);
    if (fd >= 0) {
      base = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
      ::close(fd);  // the mapping keeps the file alive
    }
    m_bOnMemory = FALSE;
  }
  if (base == MAP_FAILED) AfxThrowMemoryException();
  m_pBase = static_cast<BYTE*>(base);
  m_nMapped = length;
  m_locks.assign((length + m_nBlockSize - 1) / m_nBlockSize, 0);
}

CVmImage::~CVmImage() {
  if (m_pBase != nullptr) ::munmap(m_pBase, m_nMapped);
}

BYTE* CVmImage::GetImageAdr(int x, int y, int plane, int /*read*/, int prefetch, int* lock) const {
  if (m_pBase == nullptr) return nullptr;
  std::size_t offset = (static_cast<std::size_t>(plane) * static_cast<std::size_t>(m_nHeight) +
                        static_cast<std::size_t>(y)) * m_nRowBytes +
                       static_cast<std::size_t>(x) * static_cast<std::size_t>(m_nBytesPixel);
  std::size_t block = offset / m_nBlockSize;
  if (lock != nullptr && block < m_locks.size()) {
    ++m_locks[block];
    *lock = static_cast<int>(block);
  }
  if (prefetch != 0 && block < m_locks.size()) {
    std::size_t start = block * m_nBlockSize;
    std::size_t length = std::min(m_nBlockSize, m_nMapped - start);
    ::madvise(m_pBase + start, length, MADV_WILLNEED);
  }
  return m_pBase + offset;
}

BOOL CVmImage::Unlock(const void* p) const {
  const BYTE* b = static_cast<const BYTE*>(p);
  if (m_pBase == nullptr || b < m_pBase || b >= m_pBase + m_nMapped) return FALSE;
  std::size_t block = static_cast<std::size_t>(b - m_pBase) / m_nBlockSize;
  if (m_locks[block] > 0) --m_locks[block];
  if (m_locks[block] == 0) ReleaseBlock(block);
  return TRUE;
}

void CVmImage::UnlockAll() const {
  for (std::size_t block = 0; block < m_locks.size(); ++block) {
    m_locks[block] = 0;
    ReleaseBlock(block);
  }
}

void CVmImage::ReleaseBlock(std::size_t block) const {
  // Anonymous memory would lose its contents; only file pages can be dropped and re-read.
  if (m_bOnMemory) return;
  std::size_t pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  std::size_t start = block * m_nBlockSize;
  std::size_t end = std::min(start + m_nBlockSize, m_nMapped);
  // Only whole pages that lie in this block.
  std::size_t first = (start + pageSize - 1) / pageSize * pageSize;
  std::size_t last = end / pageSize * pageSize;
  if (end == m_nMapped) last = end;  // the mapping's tail page belongs to the last block
  if (last > first) ::madvise(m_pBase + first, last - first, MADV_DONTNEED);
}
