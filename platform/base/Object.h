#pragma once
// CObject with runtime-class names, as the framework's dynamic classes have them.
#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

class CObject;

struct ORV_API CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  const CRuntimeClass* m_pBaseClass;
  CObject* (*m_pfnCreateObject)();

  bool IsDerivedFrom(const CRuntimeClass* base) const;
  // A new object of the class, or null for a class that is not creatable.
  CObject* CreateObject() const;
};

class ORV_API CObject {
public:
  virtual ~CObject();
  virtual const CRuntimeClass* GetRuntimeClass() const;
  bool IsKindOf(const CRuntimeClass* cls) const;
  static const CRuntimeClass classCObject;

protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(name) (&name::class##name)

#define DECLARE_DYNAMIC(name)                                  \
public:                                                        \
  static const CRuntimeClass class##name;                      \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(name)                                \
  DECLARE_DYNAMIC(name)                                        \
  static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(name, base)                                             \
  const CRuntimeClass name::class##name = {#name, sizeof(name), RUNTIME_CLASS(base), nullptr}; \
  const CRuntimeClass* name::GetRuntimeClass() const { return &name::class##name; }

#define IMPLEMENT_DYNCREATE(name, base)                                           \
  CObject* name::CreateObject() { return new name; }                              \
  const CRuntimeClass name::class##name = {#name, sizeof(name), RUNTIME_CLASS(base), &name::CreateObject}; \
  const CRuntimeClass* name::GetRuntimeClass() const { return &name::class##name; }
