#pragma once
// CArray, CStringArray, CUIntArray: the framework's growable arrays over std::vector.
// Indexed access out of range throws CInvalidArgException, as the framework does.
#include <utility>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Exception.h"
#include "platform/base/Object.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
  CArray() = default;
  CArray(const CArray&) = default;
  CArray& operator=(const CArray&) = default;

  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return m_data.empty(); }
  void SetSize(int newSize, int /*growBy*/ = -1) {
    if (newSize < 0) AfxThrowInvalidArgException();
    m_data.resize(static_cast<size_t>(newSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(int i) const { return m_data[Checked(i)]; }
  TYPE& GetAt(int i) { return m_data[Checked(i)]; }
  TYPE& ElementAt(int i) { return m_data[Checked(i)]; }
  void SetAt(int i, ARG_TYPE v) { m_data[Checked(i)] = v; }
  const TYPE& operator[](int i) const { return GetAt(i); }
  TYPE& operator[](int i) { return GetAt(i); }
  const TYPE* GetData() const { return m_data.data(); }
  TYPE* GetData() { return m_data.data(); }

  void SetAtGrow(int i, ARG_TYPE v) {
    if (i < 0) AfxThrowInvalidArgException();
    if (i >= GetSize()) m_data.resize(static_cast<size_t>(i) + 1);
    m_data[static_cast<size_t>(i)] = v;
  }
  int Add(ARG_TYPE v) { m_data.push_back(v); return GetSize() - 1; }
  int Append(const CArray& src) {
    int first = GetSize();
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return first;
  }
  void Copy(const CArray& src) { m_data = src.m_data; }
  void InsertAt(int i, ARG_TYPE v, int count = 1) {
    if (i < 0 || count < 0) AfxThrowInvalidArgException();
    if (i > GetSize()) m_data.resize(static_cast<size_t>(i));
    m_data.insert(m_data.begin() + i, static_cast<size_t>(count), v);
  }
  void RemoveAt(int i, int count = 1) {
    if (i < 0 || count < 0 || i + count > GetSize()) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + i, m_data.begin() + i + count);
  }

  auto begin() { return m_data.begin(); }
  auto end() { return m_data.end(); }
  auto begin() const { return m_data.begin(); }
  auto end() const { return m_data.end(); }

private:
  size_t Checked(int i) const {
    if (i < 0 || i >= GetSize()) AfxThrowInvalidArgException();
    return static_cast<size_t>(i);
  }
  std::vector<TYPE> m_data;
};

class CStringArray : public CArray<CString, const CString&> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
