// Root of every persistent class: a run-time class record and archive I/O.
#pragma once

#include "platform/RuntimeClass.h"

class CArchive;

class CObject {
  public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const = 0;
    virtual void Serialize(CArchive& ar);

    // The class name written into archive images and compared by the rows.
    const char* ClassName() const { return GetRuntimeClass()->m_lpszClassName; }
    bool IsClass(const char* name) const { return GetRuntimeClass()->IsNamed(name); }
};
