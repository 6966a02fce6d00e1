#include "platform/gdi/EnumFontFamilies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    std::vector<CString> names;
    std::vector<DWORD> types;
    int stopAfter = -1;
};

int Collect(const LOGFONT* lf, const TEXTMETRIC* tm, DWORD type, LPARAM lParam) {
    auto* seen = reinterpret_cast<Seen*>(lParam);
    EXPECT_GT(tm->tmHeight, 0);
    seen->names.emplace_back(lf->lfFaceName);
    seen->types.push_back(type);
    return static_cast<int>(seen->names.size()) == seen->stopAfter ? 0 : 1;
}

TEST(EnumFontFamilies, ListsInstalledFamiliesAndMetricCompatibleNamesSorted) {
    Seen seen;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(EnumFontFamilies(&dc, nullptr, Collect, reinterpret_cast<LPARAM>(&seen)), 1);
    auto has = [&](const char16_t* name) {
        return std::find(seen.names.begin(), seen.names.end(), CString(name)) != seen.names.end();
    };
    EXPECT_TRUE(has(u"Liberation Sans"));
    EXPECT_TRUE(has(u"Arial")) << "Liberation Sans is metric-compatible with Arial";
    EXPECT_TRUE(has(u"Times New Roman")) << "and Liberation Serif with Times New Roman";
    EXPECT_TRUE(has(u"Courier New"));
    for (std::size_t i = 1; i < seen.names.size(); ++i) {
        EXPECT_LT(seen.names[i - 1].CompareNoCase(seen.names[i].View()), 0)
            << "sorted, each once: " << seen.names[i - 1].ToUtf8() << " / "
            << seen.names[i].ToUtf8();
    }
    for (DWORD type : seen.types)
        EXPECT_EQ(type, TRUETYPE_FONTTYPE);
}

TEST(EnumFontFamilies, StopsWhenTheCallbackSaysSoAndFindsOneFamilyByName) {
    Seen first;
    first.stopAfter = 1;
    EXPECT_EQ(EnumFontFamilies(static_cast<CDC*>(nullptr), nullptr, Collect,
                               reinterpret_cast<LPARAM>(&first)),
              0);
    EXPECT_EQ(first.names.size(), 1u);

    Seen arial;
    EnumFontFamilies(static_cast<CDC*>(nullptr), u"arial", Collect,
                     reinterpret_cast<LPARAM>(&arial));
    ASSERT_EQ(arial.names.size(), 1u);
    EXPECT_EQ(arial.names[0], CString(u"Arial"));

    Seen none;
    EnumFontFamilies(static_cast<CDC*>(nullptr), u"No Such Family", Collect,
                     reinterpret_cast<LPARAM>(&none));
    EXPECT_TRUE(none.names.empty());
}

}  // namespace
