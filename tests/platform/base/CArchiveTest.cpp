#include "platform/base/CArchive.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "AllocationProbe.h"
#include "TempFolder.h"
#include "platform/base/CMemFile.h"
#include "platform/base/Utf.h"

namespace {

using core_test::ReadBytes;
using core_test::RunningAsRoot;
using core_test::TempFolder;
using core_test::WriteBytes;

using namespace std::string_literals;

std::string Hex(std::string_view bytes, std::size_t max = 24) {
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size() && i < max; ++i) {
        snprintf(buf, sizeof buf, "%02X ", static_cast<unsigned char>(bytes[i]));
        out += buf;
    }
    return out;
}

// The bytes that the archive writes.
template <class Fn>
std::string Store(Fn&& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const auto bytes = file.Detach();
    return std::string(bytes.begin(), bytes.end());
}

CString ReadOne(const std::string& bytes) {
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                  static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_EQ(ar.GetPosition(), bytes.size()) << "bytes left after the string";
    return s;
}

std::string Le16(unsigned v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Le32(unsigned long v) {
    return Le16(v & 0xFFFF) + Le16((v >> 16) & 0xFFFF);
}

std::u16string Units(std::size_t n) {
    std::u16string s(n, u'\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char16_t>(u'a' + i % 26);
    return s;
}

TEST(CArchiveString, UnicodeFormAtEveryLengthSize) {
    struct Case {
        std::size_t length;
        std::string prefix;  // after the marker FF FE FF
    };
    const Case cases[] = {
        {0, "\x00"s},
        {3, "\x03"},
        {254, "\xFE"},
        {255, "\xFF" + Le16(255)},
        {300, "\xFF" + Le16(300)},
        {0xFFFD, "\xFF" + Le16(0xFFFD)},
        {0xFFFE, "\xFF\xFF\xFF" + Le32(0xFFFE)},
        {0xFFFF, "\xFF\xFF\xFF" + Le32(0xFFFF)},
        {0x10000, "\xFF\xFF\xFF" + Le32(0x10000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const CString text(Units(c.length));
        const std::string bytes = Store([&](CArchive& ar) { ar << text; });
        const std::string head = "\xFF\xFE\xFF" + c.prefix;
        ASSERT_EQ(bytes.size(), head.size() + 2 * c.length);
        EXPECT_EQ(Hex(bytes.substr(0, head.size())), Hex(head));
        if (c.length > 0) {
            EXPECT_EQ(bytes[head.size()], 'a');
            EXPECT_EQ(bytes[head.size() + 1], '\0');
        }
        EXPECT_EQ(ReadOne(bytes), text);
    }
    // The example of the encoding: "abc".
    EXPECT_EQ(Hex(Store([](CArchive& ar) { ar << CString(u"abc"); })),
              "FF FE FF 03 61 00 62 00 63 00 ");
    // Code units beyond Latin-1, surrogates included, pass unchanged.
    const CString wide(u"\u20ac\U0001F600\uFFFF");
    EXPECT_EQ(ReadOne(Store([&](CArchive& ar) { ar << wide; })), wide);
}

TEST(CArchiveString, SingleByteFormAtEveryLengthSize) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, "\x00"s},
        {254, "\xFE"},
        {255, "\xFF" + Le16(255)},
        {0xFFFD, "\xFF" + Le16(0xFFFD)},
        {0xFFFE, "\xFF\xFF\xFF" + Le32(0xFFFE)},  // FF FE after FF would be the marker
        {0x10001, "\xFF\xFF\xFF" + Le32(0x10001)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        std::string body(c.length, 'q');
        if (c.length > 0)
            body[0] = '\x80';  // the euro sign in Windows-1252
        const std::string bytes = Store([&](CArchive& ar) { ar.WriteSingleByteString(body); });
        EXPECT_EQ(Hex(bytes.substr(0, c.prefix.size())), Hex(c.prefix));
        EXPECT_EQ(bytes.substr(c.prefix.size()), body);
        std::u16string expected(c.length, u'q');
        if (c.length > 0)
            expected[0] = u'\u20ac';
        EXPECT_EQ(ReadOne(bytes).Str(), expected);
    }
}

TEST(CArchiveString, ReadsWhatOtherWritersMayWrite) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"single-byte",
         "\x03"
         "abc",
         u"abc"},
        {"Windows-1252", "\x04\x93\xe9\x81\x9f", u"\u201c\u00e9\u0081\u0178"},
        {"two-byte length 0xFFFE after the marker",
         "\xFF\xFE\xFF\xFF\xFE\xFF" + std::string(0xFFFE * 2, 'z'),
         std::u16string(0xFFFE, u'\u7a7a')},
        {"four-byte form for a short string", "\xFF\xFF\xFF" + Le32(2) + "hi", u"hi"},
        {"eight-byte form", "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + Le32(1) + Le32(0) + "A\0"s,
         u"A"},
        {"two-byte form for a short Unicode string", "\xFF\xFE\xFF\xFF" + Le16(1) + "B\0"s, u"B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadOne(c.bytes).Str(), c.text);
    }
}

TEST(CArchive, IntegersAreLittleEndian) {
    const std::string bytes = Store([](CArchive& ar) {
        ar << BYTE{0xAB} << WORD{0x1234} << -2 << DWORD{0xDEADBEEF} << static_cast<LONG>(1000000);
    });
    EXPECT_EQ(Hex(bytes), "AB 34 12 FE FF FF FF EF BE AD DE 40 42 0F 00 ");
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                  static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    BYTE b = 0;
    WORD w = 0;
    int i = 0;
    DWORD dw = 0;
    LONG l = 0;
    ar >> b >> w >> i >> dw >> l;
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(dw, 0xDEADBEEFu);
    EXPECT_EQ(l, 1000000);
    try {
        ar >> b;
        FAIL() << "read past the end";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        EXPECT_EQ(e.m_nOffset, 15);
    }
}

// A joke archive: a count and the texts, with strings of every form and of lengths that cross
// a small archive buffer.
std::vector<CString> SampleTexts() {
    std::vector<CString> texts = {CString(u""),
                                  CString(u"short"),
                                  CString(Units(130)),
                                  CString(Units(300)),
                                  CString(u"\u00e9t\u00e9 \u20ac"),
                                  CString(Units(1000))};
    std::mt19937 random(7);
    for (int i = 0; i < 60; ++i)
        texts.emplace_back(Units(random() % 400));
    return texts;
}

void WriteSample(CArchive& ar, const std::vector<CString>& texts) {
    ar << static_cast<int>(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i % 3 == 1) {  // some in the single-byte form
            std::string bytes;
            ASSERT_FALSE(platform::EncodeWindows1252(texts[i].View(), bytes));
            ar.WriteSingleByteString(bytes);
        } else {
            ar << texts[i];
        }
    }
}

std::vector<CString> ReadSample(CArchive& ar) {
    int count = 0;
    ar >> count;
    ar.EnsureRemaining(static_cast<ULONGLONG>(count));
    std::vector<CString> texts(static_cast<std::size_t>(count));
    for (auto& t : texts)
        ar >> t;
    return texts;
}

TEST(CArchive, FileAndMemoryPathsAgreeAcrossBufferBoundaries) {
    TempFolder dir;
    const auto texts = SampleTexts();
    const std::string expected = Store([&](CArchive& ar) { WriteSample(ar, texts); });
    for (int bufSize : {128, 129, 4096}) {
        SCOPED_TRACE(bufSize);
        {
            CFile file(dir.Name("sample.fav"), CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store, bufSize);
            WriteSample(ar, texts);
            EXPECT_EQ(ar.GetPosition(), expected.size());  // some of it still buffered
            EXPECT_LT(file.GetPosition(), expected.size());
            ar.Close();
            EXPECT_EQ(file.GetPosition(), expected.size());
        }
        const std::string bytes = ReadBytes(dir.Path("sample.fav"));
        EXPECT_EQ(bytes, expected);

        CFile file(dir.Name("sample.fav"), CFile::modeRead);
        CArchive fromFile(&file, CArchive::load, bufSize);
        EXPECT_EQ(ReadSample(fromFile), texts);
        EXPECT_EQ(fromFile.GetPosition(), bytes.size());

        CMemFile memory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                        static_cast<UINT>(bytes.size()));
        CArchive fromMemory(&memory, CArchive::load, bufSize);
        EXPECT_EQ(ReadSample(fromMemory), texts);
    }
}

TEST(CArchive, CloseLeavesTheFileWhereTheArchiveStopped) {
    const std::string bytes =
        "\x02"
        "ab"
        "tail";
    for (bool inMemory : {false, true}) {
        SCOPED_TRACE(inMemory);
        TempFolder dir;
        WriteBytes(dir.Path("f"), bytes);
        CFile disk(dir.Name("f"), CFile::modeRead);
        CMemFile memory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                        static_cast<UINT>(bytes.size()));
        CFile& file = inMemory ? static_cast<CFile&>(memory) : disk;
        CString s;
        {
            CArchive ar(&file, CArchive::load);
            ar >> s;
            ar.Close();
        }
        EXPECT_EQ(s, CString(u"ab"));
        EXPECT_EQ(file.GetPosition(), 3u);  // the bytes read ahead went back
        char rest[8] = {};
        EXPECT_EQ(file.Read(rest, sizeof rest), 4u);
        EXPECT_STREQ(rest, "tail");
    }
}

TEST(CArchive, WrongDirectionIsRefused) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    BYTE b = 0;
    EXPECT_THROW(storing >> b, CArchiveException);
    BYTE buffer[4] = {};
    CMemFile input(buffer, 4);
    CArchive loading(&input, CArchive::load);
    try {
        loading << b;
        FAIL() << "no throw";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::readOnly);
    }
}

TEST(CArchive, AnArchiveCutShortAnywhereThrowsEndOfFile) {
    TempFolder dir;
    const auto texts = SampleTexts();
    const std::string whole = Store([&](CArchive& ar) {
        WriteSample(ar, std::vector<CString>(texts.begin(), texts.begin() + 8));
    });
    // One file on disk, cut shorter and shorter.
    CFile disk(dir.Name("cut.fav"), CFile::modeCreate | CFile::modeReadWrite);
    disk.Write(whole.data(), static_cast<UINT>(whole.size()));
    for (std::size_t cut = whole.size(); cut-- > 0;) {
        SCOPED_TRACE(testing::Message() << "cut at " << cut);
        std::string bytes = whole.substr(0, cut);
        disk.SetLength(cut);
        disk.SeekToBegin();
        CMemFile memory(reinterpret_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        long long offsets[2] = {-1, -1};
        for (CFile* file : {static_cast<CFile*>(&disk), static_cast<CFile*>(&memory)}) {
            CArchive ar(file, CArchive::load, 128);
            try {
                ReadSample(ar);
                ADD_FAILURE() << "read to the end";
            } catch (const CArchiveException& e) {
                EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
                EXPECT_LE(e.m_nOffset, static_cast<long long>(cut));
                offsets[file == &memory] = e.m_nOffset;
                if (file == &disk) {
                    EXPECT_EQ(e.m_strFileName, dir.Name("cut.fav"));
                }
            }
            ar.Abort();
        }
        EXPECT_GE(offsets[0], 0);
        EXPECT_EQ(offsets[0], offsets[1]);  // both find the value that was cut
    }
}

TEST(CArchive, HugeLengthsNeverAllocate) {
    struct Case {
        const char* name;
        std::string bytes;
        long long offset;
    };
    const Case cases[] = {
        {"2 GB Unicode string",
         "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"
         "abc",
         0},
        {"4 GB single-byte string",
         "\xFF\xFF\xFF\xFE\xFF\xFF\xFF"
         "abc",
         0},
        {"eight-byte length", "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 0},
        {"after a good string", "\x01x\xFF\xFF\xFF\x00\x00\x00\x40"s, 2},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        for (bool inMemory : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (inMemory ? " in memory" : " on disk"));
            std::string bytes = c.bytes;
            WriteBytes(dir.Path("huge"), bytes);
            CFile disk(dir.Name("huge"), CFile::modeRead);
            CMemFile memory(reinterpret_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
            CArchive ar(inMemory ? static_cast<CFile*>(&memory) : &disk, CArchive::load);
            CString s;
            allocation_probe::Arm();
            try {
                ar >> s;
                ar >> s;
                ADD_FAILURE() << "no throw";
            } catch (const CArchiveException& e) {
                EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
                EXPECT_EQ(e.m_nOffset, c.offset);
            }
            EXPECT_LT(allocation_probe::Disarm(), 4096u);
        }
    }
    // A count checked against the file before a list is sized by it.
    std::string counted = Le32(0x7FFFFFFF) + "\x01x";
    CMemFile memory(reinterpret_cast<BYTE*>(counted.data()), static_cast<UINT>(counted.size()));
    CArchive ar(&memory, CArchive::load);
    EXPECT_THROW(ReadSample(ar), CArchiveException);
}

TEST(CArchive, WriteFailuresReachTheCaller) {
    CFile full;
    if (!full.Open(u"/dev/full", CFile::modeWrite))
        GTEST_SKIP() << "no /dev/full here";
    CArchive ar(&full, CArchive::store);
    ar << CString(u"small");  // only buffered so far
    try {
        ar.Close();
        FAIL() << "no throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
    }
    // Large writes bypass the buffer and fail at once.
    CArchive direct(&full, CArchive::store, 128);
    EXPECT_THROW(direct << CString(Units(1000)), CFileException);
    direct.Abort();
}

}  // namespace
