#pragma once
// Bookkeeping records of paged image storage: one block's record, the block table of one
// stored image, and a manager record with its initial state. Block types, slot numbers and
// the manager record's fields mean what the storage that uses them decides.
#include "platform/base/Export.h"
#include "platform/base/Object.h"

class ORV_API CVmBlock : public CObject {
public:
  CVmBlock();
  ~CVmBlock() override;

  int m_nType;       // kind of the block; 0 when new
  int m_nSlotIndex;  // slot that holds the block; -1 for none
};

class ORV_API CVmHandle : public CObject {
public:
  // count records, each new. Throws the framework's memory exception when the table cannot
  // be allocated (a negative count or one whose size overflows included); nothing is left
  // half built.
  explicit CVmHandle(int count);
  ~CVmHandle() override;
  CVmHandle(const CVmHandle&) = delete;
  CVmHandle& operator=(const CVmHandle&) = delete;

  int GetBlockCount() const;
  // index is trusted: 0 <= index < GetBlockCount().
  int GetType(int index) const;
  int GetSlotIndex(int index) const;
  void Set(int index, int type, int slotIndex);

private:
  int m_nBlockCount;
  CVmBlock* m_pBlocks;
};

class ORV_API CVmMemory : public CObject {
public:
  CVmMemory();
  ~CVmMemory() override;

  int m_nValues[8];
  int m_nExtra;  // left unset by the constructor
};
