// Loading the jokes data file at start-up, sound and damaged.
#include <gtest/gtest.h>

#include "reader/store/KippAppDoc.h"
#include "tests/reader/store/StoreFixture.h"

namespace storetest {
namespace {

using DocumentLoadTest = StoreTest;

TEST_F(DocumentLoadTest, LoadsJokesInFileOrderWithoutTheReservedString) {
    WriteDataFile({u"first", u"second\nline", u"", u"third & last"});
    CKippAppDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(Texts(doc.m_jokes),
              (std::vector<std::u16string>{u"first", u"second\nline", u"", u"third & last"}));
    EXPECT_TRUE(m_boxes.texts.empty());
}

TEST_F(DocumentLoadTest, IgnoresBytesAfterTheLastJoke) {
    std::vector<BYTE> plain = PlainArchive({u"only"}, JokeFileKind::JokesData);
    plain.insert(plain.end(), {0xFF, 0xFF, 0xFF, 0x01, 0x02});  // a length that runs past the end
    WriteBytes(DataPath(), Scrambled(plain));
    CKippAppDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(Texts(doc.m_jokes), std::vector<std::u16string>{u"only"});
}

TEST_F(DocumentLoadTest, CountZeroGivesNoJokesButStillLoadsTheFavorites) {
    WriteDataFile({});
    WriteFavorites({u"kept"});
    CKippAppDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_jokes.GetSize(), 0);
    EXPECT_EQ(Texts(doc.m_favorites), std::vector<std::u16string>{u"kept"});
}

TEST_F(DocumentLoadTest, ReadsAFileMadeOfSingleByteStrings) {
    // The single-byte form of older files, Windows-1252: 0x80 is the euro sign.
    std::vector<BYTE> plain = {2, 0, 0, 0, 1, 'r', 3, 'a', 0x80, 'b', 2, 'h', 'i'};
    WriteBytes(DataPath(), Scrambled(plain));
    CKippAppDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(Texts(doc.m_jokes), (std::vector<std::u16string>{u"a\u20ACb", u"hi"}));
}

TEST_F(DocumentLoadTest, MissingFileTellsTheUserAndLeavesTheFavoritesAlone) {
    WriteFavorites({u"mine"});
    const auto before = ReadBytes(FavoritesPath());
    {
        CKippAppDoc doc;
        EXPECT_FALSE(doc.OnNewDocument());
        EXPECT_EQ(doc.m_favorites.GetSize(), 0);
    }  // the document's destruction must not take its empty list for the user's favourites
    EXPECT_EQ(m_boxes.texts, std::vector<std::string>{"Cannot open jokes data file."});
    EXPECT_EQ(m_boxes.types, std::vector<UINT>{MB_ICONSTOP});
    EXPECT_EQ(ReadBytes(FavoritesPath()), before);
}

struct DamagedCase {
    const char* name;
    std::vector<BYTE> plain;  // before scrambling
    const char* reason;       // part of the message
};

std::vector<BYTE> Cut(std::vector<BYTE> bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

class DamagedDataFileTest : public StoreTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedDataFileTest, OneMessageAndTheProgramEndsAsForAMissingFile) {
    WriteBytes(DataPath(), Scrambled(GetParam().plain));
    WriteFavorites({u"mine"});
    const auto before = ReadBytes(FavoritesPath());
    {
        CKippAppDoc doc;
        EXPECT_FALSE(doc.OnNewDocument());
        EXPECT_EQ(doc.m_jokes.GetSize(), 0);
    }
    ASSERT_EQ(m_boxes.texts.size(), 1u) << GetParam().name;
    EXPECT_NE(m_boxes.texts[0].find("The jokes data file is damaged"), std::string::npos)
        << m_boxes.texts[0];
    EXPECT_NE(m_boxes.texts[0].find(GetParam().reason), std::string::npos) << m_boxes.texts[0];
    EXPECT_EQ(m_boxes.types[0], MB_ICONSTOP);
    EXPECT_EQ(ReadBytes(FavoritesPath()), before);
}

const std::vector<BYTE> kSound = PlainArchive({u"one", u"two"}, JokeFileKind::JokesData);

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedDataFileTest,
    ::testing::Values(
        DamagedCase{"empty", {}, "empty"},
        DamagedCase{"cut inside the count", Cut(kSound, 3), "inside the joke count"},
        DamagedCase{"cut before the reserved string", Cut(kSound, 4), "reserved string"},
        DamagedCase{"cut inside the reserved string", Cut(kSound, 9), "reserved string"},
        DamagedCase{"cut before a joke", Cut(kSound, kSound.size() - 10), "joke 2 of 2"},
        DamagedCase{"cut inside a joke", Cut(kSound, kSound.size() - 1), "joke 2 of 2"},
        DamagedCase{"negative count", {0xFF, 0xFF, 0xFF, 0xFF, 0}, "negative"},
        // Two billion jokes announced in a file of a few bytes: no list is allocated for them.
        DamagedCase{"count beyond the file", {0xFF, 0xFF, 0xFF, 0x7F, 0, 1, 'a'}, "more than"},
        // A 4-byte length of 0x7FFFFFF0 characters: no string is allocated for it.
        DamagedCase{"length past the end",
                    {1, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a'},
                    "joke 1 of 1"}),
    [](const ::testing::TestParamInfo<DamagedCase>& paramInfo) {
        std::string name = paramInfo.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                c = '_';
            }
        }
        return name;
    });

}  // namespace
}  // namespace storetest
