#include "platform/base/CFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "TempFolder.h"

namespace {

using core_test::ReadBytes;
using core_test::RunningAsRoot;
using core_test::TempFolder;
using core_test::WriteBytes;

std::string ReadAll(CFile& file) {
    std::string out(static_cast<std::size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    out.resize(file.Read(out.data(), static_cast<UINT>(out.size())));
    return out;
}

TEST(CFile, WriteSeekReadRoundTrip) {
    TempFolder dir;
    CFile file;
    ASSERT_TRUE(file.Open(dir.Name("a.bin"), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_NE(fcntl(file.m_hFile, F_GETFD) & FD_CLOEXEC, 0);  // never inherited
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetPosition(), 11u);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
    char buf[16] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 5u);  // fewer only at the end
    EXPECT_EQ(std::string(buf, 5), "world");
    EXPECT_EQ(file.Read(buf, sizeof buf), 0u);
    file.Seek(-6, CFile::current);
    file.Write("_", 1);
    EXPECT_EQ(file.SeekToEnd(), 11u);
    file.SetLength(5);
    EXPECT_EQ(ReadAll(file), "hello");
    EXPECT_EQ(file.GetFilePath(), dir.Name("a.bin"));
    EXPECT_THROW(file.Seek(-1, CFile::begin), CFileException);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THROW(file.Read(buf, 1), CFileException);
}

TEST(CFile, OpenModesCreateTruncateOrKeep) {
    TempFolder dir;
    const std::string path = dir.Path("m.txt");
    CFileException error;
    CFile file;
    EXPECT_FALSE(file.Open(dir.Name("m.txt"), CFile::modeWrite, &error));  // no modeCreate
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_strFileName, dir.Name("m.txt"));

    WriteBytes(path, "abcdef");
    ASSERT_TRUE(
        file.Open(dir.Name("m.txt"), CFile::modeCreate | CFile::modeWrite | CFile::modeNoTruncate));
    file.Write("XY", 2);
    file.Close();
    EXPECT_EQ(ReadBytes(path), "XYcdef");
    ASSERT_TRUE(file.Open(dir.Name("m.txt"), CFile::modeCreate | CFile::modeWrite));
    file.Write("Z", 1);
    file.Close();
    EXPECT_EQ(ReadBytes(path), "Z");

    char c;
    ASSERT_TRUE(file.Open(dir.Name("m.txt"), CFile::modeRead));
    EXPECT_THROW(file.Write("Q", 1), CFileException);  // read only
    EXPECT_EQ(file.Read(&c, 1), 1u);

    EXPECT_FALSE(file.Open(CString::FromUtf8(dir.Path()), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);  // a folder is no file
    EXPECT_FALSE(file.Open(dir.Name("none/x"), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(file.Open(u"", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);

    try {
        CFile thrown(dir.Name("missing.dat"), CFile::modeRead);
        FAIL() << "no throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.GetErrorMessage(), dir.Name("missing.dat") + u" was not found.");
    }
}

TEST(CFile, NameInAnotherLetterCaseIsTheSameFile) {
    struct Case {
        const char* name;
        std::vector<std::string> onDisk;  // each file holds its own name
        const char* open;
        UINT mode;
        const char* expect;  // content read or name written; nullptr: the open fails
    };
    const UINT read = CFile::modeRead;
    const UINT write = CFile::modeWrite;
    const UINT create = CFile::modeCreate | CFile::modeWrite;
    const Case cases[] = {
        {"exact name wins", {"Jokes.dat", "jokes.dat"}, "jokes.dat", read, "jokes.dat"},
        {"read falls back", {"JOKEPAD.DAT"}, "jokepad.dat", read, "JOKEPAD.DAT"},
        {"write falls back", {"JokePad.Fav"}, "jokepad.fav", write, "JokePad.Fav"},
        {"create writes the existing variant",
         {"JOKEPAD.FAV"},
         "jokepad.fav",
         create,
         "JOKEPAD.FAV"},
        {"several variants: first in byte order",
         {"jOKE.dat", "Joke.dat", "JOKE.dat"},
         "joke.DAT",
         read,
         "JOKE.dat"},
        {"only letters fold", {"a-b.dat"}, "a_b.dat", read, nullptr},
        {"only ASCII letters fold", {"caf\xc3\x89.dat"}, "caf\xc3\xa9.dat", read, nullptr},
        {"no file at all", {}, "x.dat", read, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        for (const auto& n : c.onDisk)
            WriteBytes(dir.Path(n), n);
        CFile file;
        const BOOL opened = file.Open(dir.Name(c.open), c.mode);
        if (c.expect == nullptr) {
            EXPECT_FALSE(opened);
            continue;
        }
        ASSERT_TRUE(opened);
        if (c.mode == read) {
            EXPECT_EQ(ReadAll(file), c.expect);
        } else {
            file.Write("new", 3);
            file.Close();
            // Creating truncates; opening to write overwrites from the start.
            const std::string rest = c.mode == create ? "" : std::string(c.expect).substr(3);
            EXPECT_EQ(ReadBytes(dir.Path(c.expect)), "new" + rest);
            EXPECT_EQ(dir.List().size(), c.onDisk.size());  // no second file beside it
        }
    }
}

TEST(CFile, RemoveAndRename) {
    TempFolder dir;
    WriteBytes(dir.Path("JOKEPAD.FAV"), "x");
    CFile::Remove(dir.Name("jokepad.fav"));  // the variant goes, as on the device
    EXPECT_TRUE(dir.List().empty());
    try {
        CFile::Remove(dir.Name("jokepad.fav"));
        FAIL() << "no throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_strFileName, dir.Name("jokepad.fav"));
    }
    WriteBytes(dir.Path("a"), "1");
    CFile::Rename(dir.Name("a"), dir.Name("b"));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"b"});
    EXPECT_THROW(CFile::Rename(dir.Name("a"), dir.Name("c")), CFileException);
}

TEST(CFile, FullDiskIsReportedAsSuch) {
    CFile full;
    if (!full.Open(u"/dev/full", CFile::modeWrite))
        GTEST_SKIP() << "no /dev/full here";
    try {
        full.Write("abc", 3);
        FAIL() << "no throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_lOsError, ENOSPC);
        EXPECT_EQ(e.GetErrorMessage(),
                  CString(u"There is not enough space on the disk to write /dev/full."));
    }
}

TEST(CFile, UnreadableFileIsAccessDenied) {
    if (RunningAsRoot())
        GTEST_SKIP() << "permission bits do not stop root";
    TempFolder dir;
    WriteBytes(dir.Path("secret"), "x");
    chmod(dir.Path("secret").c_str(), 0);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(dir.Name("secret"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(error.GetErrorMessage(), u"Access to " + dir.Name("secret") + u" was denied.");
}

}  // namespace
