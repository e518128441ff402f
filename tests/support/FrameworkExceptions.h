#pragma once
// The framework throws its exceptions as pointers the catcher deletes; these run a call and
// say what it threw, deleting the exception.
#include "platform/base/Exception.h"

namespace orv::test {

// Whether `call` throws an exception of kind E (or one derived from it).
template <class E, class Call>
bool Throws(Call call) {
  try {
    call();
  } catch (CException* e) {
    const bool kind = dynamic_cast<E*>(e) != nullptr;
    e->Delete();
    return kind;
  }
  return false;
}

// The cause of the file exception `call` throws; -1 when it throws none.
template <class Call>
int FileExceptionCause(Call call) {
  try {
    call();
  } catch (CFileException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

}  // namespace orv::test
