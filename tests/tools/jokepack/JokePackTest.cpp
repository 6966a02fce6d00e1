// The jokes data file tool, through its command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/jokepack/JokePack.h"
#include "tools/jokepack/JokeText.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result Jokepack(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = jokepack::Run(args, out, err);
    return {status, out.str(), err.str()};
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class JokePackTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("jokepack-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string P(const char* name) const { return (m_dir / name).string(); }
    fs::path m_dir;
};

TEST(JokeTextTest, SplitsOnPercentLinesInBothForms) {
    struct Case {
        const char* input;
        std::vector<std::string> jokes;
    };
    const Case cases[] = {
        {"a\n%\nb\n%\n", {"a", "b"}},
        {"a\n%\nb\n", {"a", "b"}},          // the last terminator left out
        {"a\r\n%\r\nb\r\nc\r\n%\r\n", {"a", "b\nc"}},
        {"one 99%\ntwo\n%\n", {"one 99%\ntwo"}},  // '%' inside a line is text
        {"%\n", {""}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> texts;
        for (const auto& j : jokepack::ParseJokeText(c.input)) {
            texts.push_back(j.text);
        }
        EXPECT_EQ(texts, c.jokes) << "input: " << c.input;
    }
}

TEST_F(JokePackTest, PackThenUnpackGivesTheInputBackByteForByte) {
    const std::string input =
        "Why did the café close?\nIt ran out of beans & ideas.\n%\n€5 for a joke?\n%\n"
        "Knock knock.\n\nWho's there?\n%\n";
    WriteText(P("in.txt"), input);
    for (const bool singleByte : {false, true}) {
        std::vector<std::string> args = {"pack", P("in.txt"), P("out.dat")};
        if (singleByte) {
            args.insert(args.begin() + 1, "--single-byte");
        }
        ASSERT_EQ(Jokepack(args).status, 0);
        const Result unpacked = Jokepack({"unpack", P("out.dat"), "-"});
        EXPECT_EQ(unpacked.status, 0) << unpacked.err;
        EXPECT_EQ(unpacked.out, input) << "single-byte: " << singleByte;
    }
}

TEST_F(JokePackTest, CountShowAndCheck) {
    WriteText(P("in.txt"), "first\n%\nsecond\nline\n%\nthird\n");
    ASSERT_EQ(Jokepack({"pack", "--reserved", "made by a test", P("in.txt"), P("j.dat")}).status, 0);
    EXPECT_EQ(Jokepack({"count", P("j.dat")}).out, "3\n");
    EXPECT_EQ(Jokepack({"show", P("j.dat"), "2"}).out, "second\nline\n");
    EXPECT_EQ(Jokepack({"check", P("j.dat")}).out, "ok: 3 jokes\n");

    const Result none = Jokepack({"show", P("j.dat"), "4"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("there is no joke 4"), std::string::npos) << none.err;
    EXPECT_EQ(Jokepack({"show", P("j.dat"), "x"}).status, 2);
}

TEST_F(JokePackTest, CheckNamesTheByteAndTheFault) {
    WriteText(P("in.txt"), "alpha\n%\nbeta\n");
    ASSERT_EQ(Jokepack({"pack", P("in.txt"), P("j.dat")}).status, 0);
    std::string bytes = ReadText(P("j.dat"));
    bytes.resize(bytes.size() - 3);  // cut inside the last joke
    WriteText(P("cut.dat"), bytes);
    const Result r = Jokepack({"check", P("cut.dat")});
    EXPECT_EQ(r.status, 1);
    // count 4 + reserved (empty, 4 bytes in Unicode form) + "alpha" (4 + 10) = 22
    EXPECT_NE(r.err.find("damaged at byte 22: joke 2 of 2 runs past the end"), std::string::npos)
        << r.err;
}

TEST_F(JokePackTest, SingleByteRefusesWhatWindows1252CannotHoldAndNamesTheJoke) {
    WriteText(P("in.txt"), "fine\n%\nfine too\n%\nБорщ\n%\n");
    const Result r = Jokepack({"pack", "--single-byte", P("in.txt"), P("j.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("joke 3 (line 5)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("U+0411"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(P("j.dat")));
}

TEST_F(JokePackTest, FavoritesFilesArePlainWithoutAReservedString) {
    WriteText(P("in.txt"), "ab\n%\n");
    ASSERT_EQ(Jokepack({"--favorites", "pack", P("in.txt"), P("f.fav")}).status, 0);
    const std::string bytes = ReadText(P("f.fav"));
    EXPECT_EQ(bytes, std::string("\x01\x00\x00\x00\xFF\xFE\xFF\x02" "a\0b\0", 12));
    EXPECT_EQ(Jokepack({"--favorites", "count", P("f.fav")}).out, "1\n");
    EXPECT_EQ(Jokepack({"count", P("f.fav")}).status, 1);  // not a jokes data file
}

TEST_F(JokePackTest, UsageErrorsExitWithTwo) {
    EXPECT_EQ(Jokepack({}).status, 2);
    EXPECT_EQ(Jokepack({"frobnicate"}).status, 2);
    EXPECT_EQ(Jokepack({"pack", P("only-one")}).status, 2);
    EXPECT_EQ(Jokepack({"--favorites", "pack", "--reserved", "x", "a", "b"}).status, 2);
    EXPECT_EQ(Jokepack({"--help"}).status, 0);
    EXPECT_EQ(Jokepack({"--version"}).out.rfind("jokepack ", 0), 0u);
    const Result missing = Jokepack({"count", P("nope.dat")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("jokepack: ", 0), 0u) << missing.err;
    EXPECT_NE(missing.err.find("nope.dat"), std::string::npos) << missing.err;
}

}  // namespace
