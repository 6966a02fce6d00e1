#include "platform/base/Utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::DecodeWindows1252;
using platform::EncodeWindows1252;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

std::string Hex(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        snprintf(buf, sizeof buf, "%02X ", b);
        out += buf;
    }
    return out;
}

TEST(Utf8, DecodesValidAndReplacesEachIllFormedSubpart) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"", u""},
        {"plain", u"plain"},
        {"\xc2\xa9\xe2\x82\xac\xf0\x9f\x98\x80", u"\u00a9\u20ac\U0001F600"},
        {"\xf4\x8f\xbf\xbf", u"\U0010FFFF"},
        {"\xef\xbf\xbf", u"\uFFFF"},
        {"a\x80z", u"a\uFFFDz"},                            // lone continuation byte
        {"\xc0\xaf", u"\uFFFD\uFFFD"},                      // overlong lead never valid
        {"\xe0\x80\xaf", u"\uFFFD\uFFFD\uFFFD"},            // overlong 3-byte form
        {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
        {"\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xe2\x82z", u"\uFFFDz"},                          // truncated, then a new character
        {"\xf0\x9f\x98", u"\uFFFD"},                        // truncated at the end
        {"\xff\xfe", u"\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Hex(c.utf8));
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
    }
}

TEST(Utf8, EncodesAndReplacesUnpairedSurrogates) {
    EXPECT_EQ(Utf16ToUtf8(u"a\u00e9\u20ac\U0001F600"), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    const char16_t lowFirst[] = {0xDC00, 0xD800, u'x', 0};
    EXPECT_EQ(Utf16ToUtf8(lowFirst), "\xef\xbf\xbd\xef\xbf\xbdx");
    const char16_t highAtEnd[] = {u'x', 0xD83D, 0};
    EXPECT_EQ(Utf16ToUtf8(highAtEnd), "x\xef\xbf\xbd");
}

// The code page's table of 0x80..0x9F; every other byte is its own code point.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

TEST(Windows1252, EveryByteDecodesAndEncodesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::u16string decoded = DecodeWindows1252(all);
    ASSERT_EQ(decoded.size(), 256u);
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const char16_t expected = (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : char16_t(b);
        EXPECT_EQ(decoded[static_cast<std::size_t>(b)], expected);
    }
    std::string back;
    EXPECT_EQ(EncodeWindows1252(decoded, back), std::nullopt);
    EXPECT_EQ(back, all);
}

TEST(Windows1252, EncodeReportsTheFirstCharacterItCannotHold) {
    struct Case {
        std::u16string text;
        std::optional<std::size_t> failAt;
        std::string bytes;  // what out holds afterwards
    };
    const Case cases[] = {
        {u"caf\u00e9 \u20ac5", std::nullopt,
         "caf\xe9 \x80"
         "5"},
        {u"ab\u0100cd", 2, "ab"},
        {u"\u0080", 0, ""},  // a C1 control that the code page puts elsewhere
        {u"x\U0001F600", 1, "x"},
        {u"\u0081\u009d", std::nullopt, "\x81\x9d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        std::string out;
        EXPECT_EQ(EncodeWindows1252(c.text, out), c.failAt);
        EXPECT_EQ(out, c.bytes);
    }
}

}  // namespace
