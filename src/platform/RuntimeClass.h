// Run-time class records: every persistent class carries its name, which is
// behaviour (rows tell atoms apart by it and write it into archive images).
#pragma once

#include <cstring>

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsNamed(const char* name) const { return std::strcmp(m_lpszClassName, name) == 0; }
};

// Declares the record and the override that returns it.
#define VEXLOR_DECLARE_DYNCREATE(ClassName)                                                        \
  public:                                                                                          \
    static const CRuntimeClass class##ClassName;                                                   \
    const CRuntimeClass* GetRuntimeClass() const override {                                        \
        return &class##ClassName;                                                                  \
    }                                                                                              \
    static const CRuntimeClass* ClassRecord() {                                                    \
        return &class##ClassName;                                                                  \
    }                                                                                              \
    static CObject* CreateObject();

// Defines the record of a class that can be created from its name.
#define VEXLOR_IMPLEMENT_DYNCREATE(ClassName)                                                      \
    CObject* ClassName::CreateObject() {                                                           \
        return new ClassName;                                                                      \
    }                                                                                              \
    const CRuntimeClass ClassName::class##ClassName = {#ClassName, &ClassName::CreateObject};
