#include "platform/base/CObject.h"

#include <string>

#include "platform/base/Utf.h"

namespace {

// Constant-initialised, so registrations from other files may run before this file's own.
constinit const AFX_CLASSINIT* g_firstClass = nullptr;

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF,
                                             nullptr, nullptr};

static const AFX_CLASSINIT jokepad_classinit_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass)
    : m_pClass(pNewClass), m_pNext(g_firstClass) {
    g_firstClass = this;
}

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view className) {
    for (const AFX_CLASSINIT* i = g_firstClass; i != nullptr; i = i->m_pNext) {
        if (className == i->m_pClass->m_lpszClassName)
            return i->m_pClass;
    }
    return nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(std::u16string_view className) {
    return FromName(platform::Utf16ToUtf8(className));
}

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

void CObject::Serialize(CArchive& /*ar*/) {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}
