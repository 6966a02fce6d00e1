#include "platform/base/CObject.h"

#include <gtest/gtest.h>

#include "platform/base/CException.h"

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};

class CCircle : public CShape {
    DECLARE_SERIAL(CCircle)
public:
    int m_radius = 7;
};

class CSquare : public CShape {
    DECLARE_DYNCREATE(CSquare)
protected:
    CSquare() = default;  // created only through its runtime class
};

}  // namespace

// At namespace scope, where the framework's macros are used.
IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_SERIAL(CCircle, CShape, 2)
IMPLEMENT_DYNCREATE(CSquare, CShape)

namespace {

TEST(CObject, RuntimeClassesDescribeTheHierarchy) {
    const CCircle circle;
    EXPECT_EQ(circle.GetRuntimeClass(), RUNTIME_CLASS(CCircle));
    EXPECT_STREQ(RUNTIME_CLASS(CCircle)->m_lpszClassName, "CCircle");
    EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_nObjectSize, static_cast<int>(sizeof(CCircle)));
    EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_wSchema, 2u);
    EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_pBaseClass, RUNTIME_CLASS(CShape));

    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CCircle)));

    EXPECT_TRUE(circle.IsSerializable());
    EXPECT_FALSE(CShape().IsSerializable());

    const CFileException fileError;
    EXPECT_TRUE(fileError.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_FALSE(fileError.IsKindOf(RUNTIME_CLASS(CArchiveException)));
}

TEST(CObject, CreationByClassAndByName) {
    auto square = RUNTIME_CLASS(CSquare)->CreateObject();
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->GetRuntimeClass(), RUNTIME_CLASS(CSquare));

    auto circle = RUNTIME_CLASS(CCircle)->CreateObject();
    ASSERT_NE(circle, nullptr);
    ASSERT_TRUE(circle->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(static_cast<CCircle&>(*circle).m_radius, 7);

    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);  // not dynamically creatable

    struct Case {
        const char* name;
        const CRuntimeClass* expected;
    };
    const Case cases[] = {
        {"CCircle", RUNTIME_CLASS(CCircle)},
        {"CSquare", RUNTIME_CLASS(CSquare)},
        {"CObject", RUNTIME_CLASS(CObject)},
        {"CFileException", RUNTIME_CLASS(CFileException)},
        {"ccircle", nullptr},
        {"CCircle ", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CRuntimeClass::FromName(c.name), c.expected);
    }
    EXPECT_EQ(CRuntimeClass::FromName(u"CSquare"), RUNTIME_CLASS(CSquare));
}

}  // namespace
