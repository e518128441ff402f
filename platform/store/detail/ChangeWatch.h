#pragma once
// Tells one connection whether others (in this process or another) have committed to its
// database since it last looked, cheaply enough to ask before every read.
//
// In WAL mode every commit rewrites the header of the WAL index, the small shared-memory
// file that all connections to the database map; each commit increments the change counter
// in it. Looking at that header costs a few memory loads and no system call. Where the
// index is not shared memory (a read-only connection may keep a private copy) or the
// database is not in WAL mode, the connection asks PRAGMA data_version instead, which counts
// the commits of other connections at the cost of running a statement.
#include <array>
#include <cstdint>

#include "platform/store/detail/RegistrySql.h"

namespace orv::store {
class ChangeWatch {
public:
  // Starts watching the connection of `statements`; `writable` tells whether it may write
  // (only then is the shared index trusted).
  void Attach(StatementCache& statements, bool writable);
  void Detach();

  // True when the database may have changed since the last call: what was read before then
  // is to be dropped. Also true on the first call after Attach.
  bool Changed();
  // A transaction of this connection, between its begin (write lock held) and its commit:
  // the counter before it, and after a successful commit whether the state now in the
  // header is exactly the one this commit made (then what the cache learnt during the
  // transaction stands; else Changed() will report a change).
  std::uint32_t CounterNow() const;
  void Committed(std::uint32_t counterBefore);

private:
  using Header = std::array<std::uint32_t, 12>;  // the first copy of the index header
  Header ReadHeader() const;

  StatementCache* statements_ = nullptr;
  const volatile std::uint32_t* index_ = nullptr;  // the shared WAL index, when usable
  Header seen_{};
  std::int64_t version_ = -1;  // data_version when the index is not usable
  bool known_ = false;
};
}  // namespace orv::store
