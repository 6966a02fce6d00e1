#include "platform/base/CArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/CString.h"

namespace {

// Counts live objects, so that a leak or a double destruction shows.
struct Tracked {
    static inline int live = 0;
    int value = 0;
    Tracked() { ++live; }
    Tracked(int v) : value(v) { ++live; }  // NOLINT(google-explicit-constructor)
    Tracked(const Tracked& o) : value(o.value) { ++live; }
    Tracked(Tracked&& o) noexcept : value(o.value) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    Tracked& operator=(Tracked&&) = default;
    ~Tracked() { --live; }
};

// Long enough that each string lives on the heap, not inside the CString.
CString Text(int i) {
    return CString(u"joke number " + std::u16string(40, u'x') + char16_t(u'A' + i % 26));
}

TEST(CArray, GrowthRuleGivesTheseCapacities) {
    struct Step {
        int setSize;  // -1: Add elements one by one up to size instead
        int size;
        int capacity;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"adds from empty step by 4 while small",
         {{-1, 1, 1},
          {-1, 2, 5},
          {-1, 5, 5},
          {-1, 6, 9},
          {-1, 9, 9},
          {-1, 10, 13},
          {-1, 40, 41},
          {-1, 42, 46}}},
        {"an empty storage gets exactly the size", {{100, 100, 100}}},
        {"one eighth of the size", {{100, 100, 100}, {-1, 101, 112}}},
        {"the step is at most 1024", {{10000, 10000, 10000}, {-1, 10001, 11024}}},
        {"a request beyond old plus step is taken exactly", {{100, 100, 100}, {200, 200, 200}}},
        {"a request within old plus step takes old plus step", {{100, 100, 100}, {105, 105, 112}}},
        {"shrinking keeps the capacity", {{100, 100, 100}, {3, 3, 100}, {50, 50, 100}}},
        {"size 0 frees the storage", {{100, 100, 100}, {0, 0, 0}, {7, 7, 7}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CArray<CString, CString&> a;
        for (const auto& s : c.steps) {
            if (s.setSize < 0) {
                while (a.GetSize() < s.size) {
                    CString t = Text(a.GetSize());
                    a.Add(t);
                }
            } else {
                a.SetSize(s.setSize);
            }
            EXPECT_EQ(a.GetSize(), s.size);
            EXPECT_EQ(a.GetAllocSize(), s.capacity);
        }
    }
}

TEST(CArray, ExplicitGrowByIsUsedAsTheStep) {
    CArray<int> a;
    a.SetSize(10, 3);
    a.Add(1);
    EXPECT_EQ(a.GetAllocSize(), 13);
    a.SetSize(a.GetSize(), 0);  // back to automatic
    a.SetSize(14);
    EXPECT_EQ(a.GetAllocSize(), 17);  // 11 / 8 is below 4
}

TEST(CArray, ElementsSurviveReallocationAndNewOnesAreEmpty) {
    CArray<CString, CString&> a;
    for (int i = 0; i < 300; ++i) {
        CString t = Text(i);
        EXPECT_EQ(a.Add(t), i);
    }
    a.SetSize(310);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(a[i], Text(i)) << i;
    for (int i = 300; i < 310; ++i)
        EXPECT_TRUE(a[i].IsEmpty()) << i;
    CArray<int> ints;
    ints.SetSize(3);
    ints.SetSize(1);
    ints.SetSize(5);
    for (int v : ints)
        EXPECT_EQ(v, 0);
}

TEST(CArray, AddingOneOfItsOwnElementsWhileGrowing) {
    CArray<CString, CString&> a;
    a.Add(*std::make_unique<CString>(Text(0)));
    for (int i = 0; i < 20; ++i)
        a.Add(a[0]);  // each Add at full capacity reallocates first
    for (int i = 0; i < a.GetSize(); ++i)
        EXPECT_EQ(a[i], Text(0));
    a.InsertAt(0, a[a.GetUpperBound()], 3);
    EXPECT_EQ(a.GetSize(), 24);
    EXPECT_EQ(a[2], Text(0));
}

TEST(CArray, InsertRemoveKeepOrderAndCapacity) {
    CArray<Tracked> a;
    for (int i = 0; i < 6; ++i)
        a.Add(Tracked(i));
    const int capacity = a.GetAllocSize();
    a.RemoveAt(1);
    a.RemoveAt(2, 2);
    ASSERT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[0].value, 0);
    EXPECT_EQ(a[1].value, 2);
    EXPECT_EQ(a[2].value, 5);
    EXPECT_EQ(a.GetAllocSize(), capacity);
    EXPECT_EQ(Tracked::live, 3);

    a.InsertAt(1, Tracked(9), 2);
    a.InsertAt(8, Tracked(7));  // beyond the end: the gap is default elements
    const int expected[] = {0, 9, 9, 2, 5, 0, 0, 0, 7};
    ASSERT_EQ(a.GetSize(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(a[i].value, expected[i]) << i;
    EXPECT_EQ(Tracked::live, 9);

    EXPECT_THROW(a.RemoveAt(8, 2), CInvalidArgException);
    EXPECT_THROW(a.RemoveAt(-1), CInvalidArgException);
    a.RemoveAll();
    EXPECT_EQ(a.GetAllocSize(), 0);
    EXPECT_EQ(Tracked::live, 0);
}

TEST(CArray, GetAtCopiesAndReferencesReachTheElement) {
    CArray<CString, CString&> a;
    a.SetSize(2);
    a[0] = u"one";
    a.SetAt(1, *std::make_unique<CString>(u"two"));
    CString copy = a.GetAt(0);
    copy += u"!";
    EXPECT_EQ(a.GetAt(0), CString(u"one"));
    a.ElementAt(1) += u"?";
    EXPECT_EQ(a.GetData()[1], CString(u"two?"));
    a.SetAtGrow(4, copy);
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a[4], CString(u"one!"));
    EXPECT_EQ(a.GetUpperBound(), 4);
}

TEST(CArray, CopyAndAppendIncludingItself) {
    CArray<CString, CString&> a;
    CArray<CString, CString&> b;
    for (int i = 0; i < 5; ++i)
        a.Add(*std::make_unique<CString>(Text(i)));
    b.Copy(a);
    EXPECT_EQ(b.Append(a), 5);
    EXPECT_EQ(a.Append(a), 5);
    ASSERT_EQ(a.GetSize(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(a[i], Text(i % 5)) << i;
        EXPECT_EQ(b[i], Text(i % 5)) << i;
    }
    a.InsertAt(2, &a);
    ASSERT_EQ(a.GetSize(), 20);
    EXPECT_EQ(a[2], Text(0));
    EXPECT_EQ(a[12], Text(2));
    a.Copy(a);
    EXPECT_EQ(a.GetSize(), 20);
}

struct Enormous {
    char bytes[std::size_t{1} << 33];
};

TEST(CArray, ImpossibleSizesThrowInsteadOfAllocating) {
    CArray<int> a;
    EXPECT_THROW(a.SetSize(-1), CInvalidArgException);
    EXPECT_EQ(a.GetSize(), 0);
    CArray<Enormous> huge;  // 2^31 of them exceed any address space
    EXPECT_THROW(huge.SetSize(0x7FFFFFFF), CMemoryException);
    EXPECT_EQ(huge.GetSize(), 0);
}

}  // namespace
