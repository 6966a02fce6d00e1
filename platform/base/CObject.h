#pragma once
// The framework's root class and its run-time class records: class names for diagnostics,
// IsKindOf, creation by class (the document template creates its document, frame and view this
// way) and creation by name.

#include <memory>
#include <string_view>

#include "platform/base/Types.h"

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serializable
    std::unique_ptr<CObject> (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new default-constructed object, or nullptr when the class is not dynamically creatable.
    std::unique_ptr<CObject> CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name, or nullptr. A class is registered when the object file
    // that holds its IMPLEMENT_ macro is part of the program. A static library contributes only
    // the object files that the program references, so a class that is created only by name
    // must be referenced somewhere, which naming RUNTIME_CLASS(cls) once does.
    static const CRuntimeClass* FromName(std::string_view className);
    static const CRuntimeClass* FromName(std::u16string_view className);
};

// Adds a class to the list that FromName searches. IMPLEMENT_DYNAMIC and its kin make one per
// class; it keeps no allocation and may run in any order of static initialisation.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
    const CRuntimeClass* m_pClass;
    const AFX_CLASSINIT* m_pNext;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    // Does nothing: a class with data to store overrides it.
    virtual void Serialize(CArchive& ar);

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    // Copying is for classes that declare their own copy; a CObject alone is never copied.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static std::unique_ptr<CObject> CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define JOKEPAD_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create) \
    const CRuntimeClass class_name::class##class_name = {                           \
        #class_name, static_cast<int>(sizeof(class_name)), schema, create,          \
        RUNTIME_CLASS(base_class_name)};                                            \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                      \
        return RUNTIME_CLASS(class_name);                                           \
    }                                                                               \
    static const AFX_CLASSINIT jokepad_classinit_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    JOKEPAD_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

// new, not make_unique: the default constructor of a created class is often protected.
#define IMPLEMENT_DYNCREATE(class_name, base_class_name)  \
    std::unique_ptr<CObject> class_name::CreateObject() { \
        return std::unique_ptr<CObject>(new class_name);  \
    }                                                     \
    JOKEPAD_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, &class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    std::unique_ptr<CObject> class_name::CreateObject() {      \
        return std::unique_ptr<CObject>(new class_name);       \
    }                                                          \
    JOKEPAD_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, &class_name::CreateObject)
