#include "platform/base/CString.h"
#include "platform/base/Resources.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace {

struct FormatCase {
    const char16_t* format;
    std::u16string expected;
    std::vector<CString::FormatArg> args;
};

TEST(CStringFormat, DirectivesFlagsWidthAndPrecision) {
    using A = CString::FormatArg;
    const FormatCase cases[] = {
        {u"%d/%d", u"3/1200", {A{3LL}, A{1200LL}}},
        {u"%i", u"-42", {A{-42LL}}},
        {u"%5d|", u"   42|", {A{42LL}}},
        {u"%-5d|", u"42   |", {A{42LL}}},
        {u"%05d", u"-0042", {A{-42LL}}},
        {u"%+d %+d", u"+7 -7", {A{7LL}, A{-7LL}}},
        {u"% d", u" 7", {A{7LL}}},
        {u"%.3d", u"007", {A{7LL}}},
        {u"%08.3d", u"     007", {A{7LL}}},  // a precision turns the zero flag off
        {u"%.0d", u"", {A{0LL}}},
        {u"%u", u"4294967295", {A{-1LL}}},  // 32-bit, as the platform's int
        {u"%d", u"-1", {A{0xFFFFFFFFULL}}},
        {u"%lld", u"-5000000000", {A{-5000000000LL}}},
        {u"%I64u", u"18446744073709551615", {A{~0ULL}}},
        {u"%ld %hd", u"12 13", {A{12LL}, A{13LL}}},
        {u"%x %X %#x %o", u"ff FF 0xff 17", {A{255LL}, A{255LL}, A{255LL}, A{15LL}}},
        {u"%08X", u"0000BEEF", {A{0xBEEFULL}}},
        {u"%c%c", u"h\u00e9", {A{static_cast<unsigned long long>(u'h')}, A{0xE9ULL}}},
        {u"[%s]", u"[abc]", {A{std::u16string_view(u"abc")}}},
        {u"[%6s][%-6s]",
         u"[   abc][abc   ]",
         {A{std::u16string_view(u"abc")}, A{std::u16string_view(u"abc")}}},
        {u"[%.2s]", u"[ab]", {A{std::u16string_view(u"abc")}}},
        {u"[%*d][%-*d]", u"[  1][2  ]", {A{3LL}, A{1LL}, A{3LL}, A{2LL}}},
        {u"[%*d]", u"[1  ]", {A{-3LL}, A{1LL}}},
        {u"[%.*s]", u"[a]", {A{1LL}, A{std::u16string_view(u"abc")}}},
        {u"100%%", u"100%", {}},
        // Type mismatches and missing arguments never read the wrong thing.
        {u"%s", u"(bad argument)", {A{5LL}}},
        {u"%d", u"(bad argument)", {A{std::u16string_view(u"5")}}},
        {u"%c", u"(bad argument)", {A{std::u16string_view(u"x")}}},
        {u"%d %d", u"1 (bad argument)", {A{1LL}}},
        {u"%*d", u"(bad argument)", {A{std::u16string_view(u"x")}, A{1LL}}},
        // What is not a directive here stays as written and takes no argument.
        {u"%f %d", u"%f 4", {A{4LL}}},
        {u"end %", u"end %", {}},
        {u"end %-5", u"end %-5", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.format).ToUtf8());
        CString s;
        s.FormatV(c.format, c.args);
        EXPECT_EQ(s.Str(), c.expected);
    }
}

TEST(CStringFormat, TypedArgumentsReachTheirDirectives) {
    CString s;
    const CString name(u"Jokes");
    const char16_t* nothing = nullptr;
    s.Format(u"%s %s %s %d %u %c %d", name, u"lit", nothing, -3, 7u, u'Z', static_cast<BYTE>(200));
    EXPECT_EQ(s, CString(u"Jokes lit (null) -3 7 Z 200"));

    // The argument may be the string being formatted.
    CString self(u"abc");
    self.Format(u"<%s><%s>", self, self);
    EXPECT_EQ(self, CString(u"<abc><abc>"));

    s.Format(u"%d", INT_MIN);
    EXPECT_EQ(s, CString(u"-2147483648"));
    s.Format(u"%lld", LLONG_MIN);
    EXPECT_EQ(s, CString(u"-9223372036854775808"));
}

TEST(CString, ConstructionAndUtf8Edges) {
    EXPECT_TRUE(CString(static_cast<const char16_t*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(u"abcdef", 3), CString(u"abc"));
    EXPECT_EQ(CString(u'x', 3), CString(u"xxx"));
    EXPECT_TRUE(CString(u'x', -1).IsEmpty());
    const CString s = CString::FromUtf8("caf\xc3\xa9 \xf0\x9f\x98\x80");
    EXPECT_EQ(s.Str(), u"caf\u00e9 \U0001F600");
    EXPECT_EQ(s.ToUtf8(), "caf\xc3\xa9 \xf0\x9f\x98\x80");
    // An embedded NUL is part of the string.
    EXPECT_EQ(CString(std::u16string_view(u"a\0b", 3)).GetLength(), 3);
}

TEST(CString, FindAndSlicesClampAsTheFrameworkDoes) {
    const CString path(u"/dev/app.exe/x.exe");
    EXPECT_EQ(path.Find(u".exe"), 8);
    EXPECT_EQ(path.Find(u".exe", 9), 14);
    EXPECT_EQ(path.Find(u".EXE"), -1);  // exact case
    EXPECT_EQ(path.Find(u'/', 1), 4);
    EXPECT_EQ(path.Find(u'/', 100), -1);
    EXPECT_EQ(path.Find(u"", 3), 3);
    EXPECT_EQ(path.ReverseFind(u'/'), 12);
    EXPECT_EQ(path.ReverseFind(u'#'), -1);

    const CString s(u"abcdef");
    EXPECT_EQ(s.Left(2), CString(u"ab"));
    EXPECT_EQ(s.Left(-1), CString(u""));
    EXPECT_EQ(s.Left(99), s);
    EXPECT_EQ(s.Mid(4), CString(u"ef"));
    EXPECT_EQ(s.Mid(2, 2), CString(u"cd"));
    EXPECT_EQ(s.Mid(-3, 2), CString(u"ab"));
    EXPECT_EQ(s.Mid(5, 99), CString(u"f"));
    EXPECT_EQ(s.Mid(99), CString(u""));
    EXPECT_EQ(s.Right(2), CString(u"ef"));
    EXPECT_EQ(s.Right(99), s);
    EXPECT_EQ(s.Right(-2), CString(u""));
}

TEST(CString, CaseTrimReplaceCompare) {
    CString s(u"Gr\u00fc\u00dfe \u00f7 \u00ff Zo\u00eb");
    s.MakeUpper();
    EXPECT_EQ(s.Str(), u"GR\u00dc\u00dfE \u00f7 \u0178 ZO\u00cb");  // sharp s and the sign stay
    s.MakeLower();
    EXPECT_EQ(s.Str(), u"gr\u00fc\u00dfe \u00f7 \u00ff zo\u00eb");

    EXPECT_EQ(CString(u"abc").Compare(u"abd"), -1);
    EXPECT_EQ(CString(u"abc").Compare(u"abc"), 0);
    EXPECT_EQ(CString(u"abcd").Compare(u"abc"), 1);
    EXPECT_EQ(CString(u"JOKE.\u00c9XE").CompareNoCase(u"joke.\u00e9xe"), 0);
    EXPECT_EQ(CString(u"a").CompareNoCase(u"B"), -1);
    EXPECT_EQ(CString(u"ab").CompareNoCase(u"A"), 1);

    CString t(u" \t\r\n text \u00a0\n");
    t.Trim();
    EXPECT_EQ(t.Str(), u"text \u00a0");  // only the C library's white space goes

    CString r(u"aaa");
    EXPECT_EQ(r.Replace(u"aa", u"b"), 1);
    EXPECT_EQ(r, CString(u"ba"));
    EXPECT_EQ(r.Replace(u"", u"x"), 0);
    CString crlf(u"a\nb\nc");
    EXPECT_EQ(crlf.Replace(u"\n", u"\r\n"), 2);
    EXPECT_EQ(crlf, CString(u"a\r\nb\r\nc"));
}

TEST(CString, StringTableEntries) {
    ResourceModule module;
    module.strings = {{61205, u"Cannot create favorites file. Error is: %s"}, {7, u"seven"}};
    const ResourceModule* previous = AfxGetResourceModule();
    AfxSetResourceModule(&module);

    CString s(u"old");
    EXPECT_TRUE(s.LoadString(7));
    EXPECT_EQ(s, CString(u"seven"));
    EXPECT_FALSE(s.LoadString(8));
    EXPECT_TRUE(s.IsEmpty());

    const CString reason(u"Access to /home/u/jokepad.fav was denied.");
    s.Format(61205, reason);
    EXPECT_EQ(s, CString(u"Cannot create favorites file. Error is: ") + reason);
    s = u"kept?";
    s.Format(9999, reason);  // no such entry
    EXPECT_TRUE(s.IsEmpty());

    AfxSetResourceModule(previous);
}

}  // namespace
