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

    // Whether the object is of exactly class T (not of a class derived from
    // it), told by the run-time class record; As gives it as a T, or null.
    template <class T> bool Is() const { return GetRuntimeClass() == T::ClassRecord(); }
    template <class T> T* As() { return Is<T>() ? static_cast<T*>(this) : nullptr; }
    template <class T> const T* As() const {
        return Is<T>() ? static_cast<const T*>(this) : nullptr;
    }
};
