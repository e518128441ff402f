// The paged storage's block records and the manager's block size.
#include "image/VmRecords.h"

#include <cstddef>
#include <limits>
#include <new>

#include "platform/base/Exception.h"
#include "sibling/orvcim/VmImage.h"

CVmBlock::CVmBlock() : m_nType(0), m_nSlotIndex(-1) {}
CVmBlock::~CVmBlock() = default;

namespace {
CVmBlock* NewBlocks(int count) {
  if (count < 0 || static_cast<std::size_t>(count) > std::numeric_limits<std::size_t>::max() / sizeof(CVmBlock))
    AfxThrowMemoryException();
  if (count == 0) return nullptr;
  CVmBlock* blocks = new (std::nothrow) CVmBlock[static_cast<std::size_t>(count)];
  if (blocks == nullptr) AfxThrowMemoryException();
  return blocks;
}
}  // namespace

CVmHandle::CVmHandle(int count) : m_nBlockCount(count), m_pBlocks(NewBlocks(count)) {}
CVmHandle::~CVmHandle() { delete[] m_pBlocks; }

int CVmHandle::GetBlockCount() const { return m_nBlockCount; }
int CVmHandle::GetType(int index) const { return m_pBlocks[index].m_nType; }
int CVmHandle::GetSlotIndex(int index) const { return m_pBlocks[index].m_nSlotIndex; }

void CVmHandle::Set(int index, int type, int slotIndex) {
  m_pBlocks[index].m_nType = type;
  m_pBlocks[index].m_nSlotIndex = slotIndex;
}

CVmMemory::CVmMemory() : m_nValues{0, -1, -1, 0, -1, -1, 0, 0} {}
CVmMemory::~CVmMemory() = default;

int CVmManager::GetBlockSize() const { return m_nBlockSize; }
