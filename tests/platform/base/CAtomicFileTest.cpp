#include "platform/base/CAtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "TempFolder.h"
#include "platform/base/CArchive.h"

namespace {

using core_test::ReadBytes;
using core_test::RunningAsRoot;
using core_test::TempFolder;
using core_test::WriteBytes;

const std::string kFormer = "the former favourites, which must survive";

void Replace(const CString& path, const std::string& content) {
    CAtomicFile file;
    CFileException error;
    ASSERT_TRUE(file.Open(path, &error)) << error.GetErrorMessage().ToUtf8();
    file.Write(content.data(), static_cast<UINT>(content.size()));
    file.Commit();
}

// Runs body in a child process and returns its exit status (or 128 + the signal).
template <class Fn>
int InChild(Fn&& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(CAtomicFile, CommitReplacesAndKeepsThePermissions) {
    TempFolder dir;
    const std::string path = dir.Path("jokepad.fav");
    Replace(dir.Name("jokepad.fav"), "first");
    EXPECT_EQ(ReadBytes(path), "first");
    const mode_t mask = umask(0);
    umask(mask);
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0644u & ~mask);  // a new file

    chmod(path.c_str(), 0600);
    Replace(dir.Name("jokepad.fav"), "second");
    EXPECT_EQ(ReadBytes(path), "second");
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);                             // the former file's
    EXPECT_EQ(dir.List(), std::vector<std::string>{"jokepad.fav"});  // nothing left behind
}

TEST(CAtomicFile, WithoutCommitTheFormerFileStaysWhole) {
    struct Case {
        const char* name;
        void (*end)(CAtomicFile&);
    };
    const Case cases[] = {
        {"destroyed", [](CAtomicFile&) {}},
        {"aborted", [](CAtomicFile& f) { f.Abort(); }},
        {"closed", [](CAtomicFile& f) { f.Close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        WriteBytes(dir.Path("jokepad.fav"), kFormer);
        {
            CAtomicFile file;
            ASSERT_TRUE(file.Open(dir.Name("jokepad.fav")));
            file.Write("partial", 7);
            c.end(file);
            EXPECT_FALSE(file.IsCommitted());
        }
        EXPECT_EQ(ReadBytes(dir.Path("jokepad.fav")), kFormer);
        EXPECT_EQ(dir.List(), std::vector<std::string>{"jokepad.fav"});
    }
}

TEST(CAtomicFile, AFailedWriteLeavesTheFormerFileWhole) {
    TempFolder dir;
    WriteBytes(dir.Path("jokepad.fav"), kFormer);
    const CString path = dir.Name("jokepad.fav");
    // The size limit makes the write fail with EFBIG, as a full disk would with ENOSPC.
    const int status = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            CAtomicFile file;
            if (!file.Open(path))
                _exit(3);
            CArchive ar(&file, CArchive::store);
            for (int i = 0; i < 100; ++i)
                ar << CString(std::u16string(50, u'x'));
            ar.Close();
            file.Commit();
        } catch (const CFileException& e) {
            _exit(e.m_cause == CFileException::diskFull ? 42 : 4);
        }
        _exit(5);
    });
    EXPECT_EQ(status, 42);  // the failure was reported as a full disk
    EXPECT_EQ(ReadBytes(dir.Path("jokepad.fav")), kFormer);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"jokepad.fav"});  // and cleaned up
}

TEST(CAtomicFile, ACrashBeforeCommitLeavesTheFormerFileWhole) {
    TempFolder dir;
    WriteBytes(dir.Path("jokepad.fav"), kFormer);
    const CString path = dir.Name("jokepad.fav");
    const int status = InChild([&] {
        CAtomicFile file;
        if (!file.Open(path))
            _exit(3);
        file.Write("half of the new", 15);
        raise(SIGKILL);  // no destructor, no clean-up
    });
    EXPECT_EQ(status, 128 + SIGKILL);
    EXPECT_EQ(ReadBytes(dir.Path("jokepad.fav")), kFormer);
}

TEST(CAtomicFile, AReadOnlyFileIsReportedAndKept) {
    // Judged by the permission bits, so this holds for root too.
    TempFolder dir;
    WriteBytes(dir.Path("jokepad.fav"), kFormer);
    chmod(dir.Path("jokepad.fav").c_str(), 0444);
    CAtomicFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(dir.Name("jokepad.fav"), &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(error.GetErrorMessage(), u"Access to " + dir.Name("jokepad.fav") + u" was denied.");
    EXPECT_EQ(ReadBytes(dir.Path("jokepad.fav")), kFormer);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"jokepad.fav"});
}

TEST(CAtomicFile, AReadOnlyFolderIsReported) {
    if (RunningAsRoot())
        GTEST_SKIP() << "permission bits on a folder do not stop root";
    TempFolder dir;
    WriteBytes(dir.Path("jokepad.fav"), kFormer);
    chmod(dir.Path().c_str(), 0555);
    CAtomicFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(dir.Name("jokepad.fav"), &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(dir.Path("jokepad.fav")), kFormer);
}

TEST(CAtomicFile, ReplacesTheFileALinkOrAnotherLetterCaseNames) {
    TempFolder dir;
    WriteBytes(dir.Path("JOKEPAD.FAV"), kFormer);
    Replace(dir.Name("jokepad.fav"), "new");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"JOKEPAD.FAV"});
    EXPECT_EQ(ReadBytes(dir.Path("JOKEPAD.FAV")), "new");

    std::filesystem::create_symlink("JOKEPAD.FAV", dir.Path("link.fav"));
    Replace(dir.Name("link.fav"), "through the link");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.fav")));
    EXPECT_EQ(ReadBytes(dir.Path("JOKEPAD.FAV")), "through the link");

    CFileException error;
    CAtomicFile folder;
    std::filesystem::create_directory(dir.Path("sub"));
    EXPECT_FALSE(folder.Open(dir.Name("sub"), &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(folder.Open(dir.Name("missing/x.fav"), &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
}

}  // namespace
