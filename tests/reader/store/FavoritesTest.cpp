// The favourites list: loaded after the jokes, written back atomically when the document goes.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "reader/store/KippAppDoc.h"
#include "tests/reader/store/StoreFixture.h"

namespace storetest {
namespace {

class FavoritesTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        WriteDataFile({u"joke one", u"joke two", u"joke three"});
    }
    // One run of the program's document: load, change the favourites, destroy.
    template <class Change>
    void RunProgram(Change change) {
        CKippAppDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        change(doc);
    }
    std::vector<std::u16string> LoadedFavorites() {
        std::vector<std::u16string> texts;
        RunProgram([&](CKippAppDoc& doc) { texts = Texts(doc.m_favorites); });
        return texts;
    }
};

TEST_F(FavoritesTest, NoFileMeansNoFavoritesAndNoMessage) {
    EXPECT_TRUE(LoadedFavorites().empty());
    EXPECT_TRUE(m_boxes.texts.empty());
    EXPECT_FALSE(fs::exists(FavoritesPath()));
}

TEST_F(FavoritesTest, TheSameJokeTwiceComesBackTwiceInOrder) {
    RunProgram([](CKippAppDoc& doc) {
        doc.m_favorites.Add(doc.m_jokes[1]);
        doc.m_favorites.Add(doc.m_jokes[0]);
        doc.m_favorites.Add(doc.m_jokes[1]);
    });
    EXPECT_EQ(LoadedFavorites(),
              (std::vector<std::u16string>{u"joke two", u"joke one", u"joke two"}));
}

TEST_F(FavoritesTest, TheFileIsPlainWithTheCountFirst) {
    RunProgram([](CKippAppDoc& doc) {
        doc.m_favorites.Add(doc.m_jokes[2]);
        doc.m_favorites.Add(doc.m_jokes[2]);
    });
    EXPECT_EQ(ReadBytes(FavoritesPath()),
              PlainArchive({u"joke three", u"joke three"}, JokeFileKind::Favorites));
}

TEST_F(FavoritesTest, DeletingEveryFavoriteDeletesTheFile) {
    WriteFavorites({u"a", u"b"});
    RunProgram([](CKippAppDoc& doc) {
        doc.m_favorites.RemoveAt(0);
        doc.m_favorites.RemoveAt(0);
    });
    EXPECT_FALSE(fs::exists(FavoritesPath()));
    EXPECT_TRUE(LoadedFavorites().empty());
    EXPECT_TRUE(m_boxes.texts.empty());
}

TEST_F(FavoritesTest, FavoritesSurviveANewDataFile) {
    RunProgram([](CKippAppDoc& doc) { doc.m_favorites.Add(doc.m_jokes[0]); });
    WriteDataFile({u"something else entirely"});
    EXPECT_EQ(LoadedFavorites(), std::vector<std::u16string>{u"joke one"});
}

TEST_F(FavoritesTest, AReadOnlyFileIsReportedAndKeepsItsContent) {
    WriteFavorites({u"old"});
    fs::permissions(FavoritesPath(), fs::perms::owner_read);
    const auto before = ReadBytes(FavoritesPath());
    RunProgram([](CKippAppDoc& doc) { doc.m_favorites.Add(doc.m_jokes[0]); });
    EXPECT_EQ(ReadBytes(FavoritesPath()), before);
    ASSERT_EQ(m_boxes.texts.size(), 1u);
    EXPECT_EQ(m_boxes.texts[0].rfind("Cannot create favorites file. Error is: ", 0), 0u)
        << m_boxes.texts[0];
    EXPECT_NE(m_boxes.texts[0].find("jokepad.fav"), std::string::npos) << m_boxes.texts[0];
}

// A write that fails half-way (here: the file-size limit, as a full disk would) leaves the
// former favourites whole and tells the user, with the error's text.
TEST_F(FavoritesTest, AWriteFailureLeavesTheFormerFileWhole) {
    WriteFavorites({u"old favourite"});
    const auto before = ReadBytes(FavoritesPath());
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        {
            CKippAppDoc doc;
            if (!doc.OnNewDocument()) {
                ::_exit(3);
            }
            for (int i = 0; i < 50; ++i) {
                doc.m_favorites.Add(doc.m_jokes[i % 3]);
            }
        }
        ::_exit(m_boxes.texts.size() == 1 &&
                        m_boxes.texts[0].rfind("Cannot create favorites file. Error is: ", 0) == 0
                    ? 0
                    : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "3: no load, 4: no message or the wrong one";
    EXPECT_EQ(ReadBytes(FavoritesPath()), before);
    // Nothing half-written is left beside it either.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        files += entry.path().filename().string().find("jokepad.fav") != std::string::npos;
    }
    EXPECT_EQ(files, 1);
}

// A process killed in the middle of the save leaves the former file whole.
TEST_F(FavoritesTest, AKillMidSaveLeavesTheFormerFileWhole) {
    WriteFavorites({u"old favourite"});
    const auto before = ReadBytes(FavoritesPath());
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // The size limit stops the save with a signal part-way through its writes.
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        CKippAppDoc doc;
        if (!doc.OnNewDocument()) {
            ::_exit(3);
        }
        for (int i = 0; i < 200; ++i) {
            doc.m_favorites.Add(doc.m_jokes[i % 3]);
        }
        doc.SaveFavorites();
        ::_exit(5);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save should have been killed";
    EXPECT_EQ(ReadBytes(FavoritesPath()), before);
}

TEST_F(FavoritesTest, ADamagedFileKeepsWhatReadsWholeAndIsKeptAside) {
    std::vector<BYTE> bytes = PlainArchive({u"whole one", u"whole two", u"cut"}, JokeFileKind::Favorites);
    bytes.resize(bytes.size() - 2);
    WriteBytes(FavoritesPath(), bytes);

    RunProgram([](CKippAppDoc& doc) {
        EXPECT_EQ(Texts(doc.m_favorites),
                  (std::vector<std::u16string>{u"whole one", u"whole two"}));
    });
    ASSERT_EQ(m_boxes.texts.size(), 1u);
    // The damaged file is kept byte for byte under a new name, and a sound one replaces it.
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        if (entry.path().filename().string().rfind("jokepad.fav.damaged-", 0) == 0) {
            kept.push_back(entry.path());
        }
    }
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0]), bytes);
    EXPECT_NE(m_boxes.texts[0].find(kept[0].filename().string()), std::string::npos)
        << m_boxes.texts[0];
    EXPECT_EQ(ReadBytes(FavoritesPath()),
              PlainArchive({u"whole one", u"whole two"}, JokeFileKind::Favorites));
}

TEST_F(FavoritesTest, ANegativeCountLoadsNothingButLosesNothing) {
    WriteBytes(FavoritesPath(), {0xFE, 0xFF, 0xFF, 0xFF, 3, 'a', 'b', 'c'});
    EXPECT_TRUE(LoadedFavorites().empty());
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        kept += entry.path().filename().string().rfind("jokepad.fav.damaged-", 0) == 0;
    }
    EXPECT_EQ(kept, 1);
}

}  // namespace
}  // namespace storetest
