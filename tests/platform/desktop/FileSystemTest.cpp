#include "platform/desktop/FileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "Scratch.h"

namespace {

std::span<const BYTE> Bytes(const std::string& text) {
    return {reinterpret_cast<const BYTE*>(text.data()), text.size()};
}

TEST(RealFileSystem, CreateFileReplacesWhateverIsThereWithoutWritingThroughIt) {
    struct Case {
        const char* what;
        std::function<void(const std::string& name, const std::string& outside)> plant;
    };
    const Case cases[] = {
        {"nothing", [](const std::string&, const std::string&) {}},
        {"a file of an earlier run",
         [](const std::string& name, const std::string&) {
             scratch::WriteFile(name, "an older and longer content");
         }},
        {"a link to a file elsewhere",
         [](const std::string& name, const std::string& outside) {
             ::symlink(outside.c_str(), name.c_str());
         }},
        {"a link to nowhere",
         [](const std::string& name, const std::string& outside) {
             ::symlink((outside + ".missing").c_str(), name.c_str());
         }},
        {"a read-only file",
         [](const std::string& name, const std::string&) {
             scratch::WriteFile(name, "locked");
             ::chmod(name.c_str(), 0444);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        scratch::Folder folder;
        const std::string name = folder / "WJ.INI";
        const std::string outside = folder / "victim";
        scratch::WriteFile(outside, "not yours");
        c.plant(name, outside);

        RealFileSystem files;
        auto file = files.CreateFile(name);
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->Write(Bytes("new")));
        EXPECT_TRUE(file->Write(Bytes(" bytes")));
        EXPECT_TRUE(file->Close());

        struct stat st {};
        ASSERT_EQ(::lstat(name.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        EXPECT_EQ(scratch::ReadFile(name), "new bytes");
        EXPECT_EQ(scratch::ReadFile(outside), "not yours");
        EXPECT_FALSE(scratch::Exists(outside + ".missing"));
    }
}

TEST(RealFileSystem, CreateFileFailsWhereNoFileCanBeMade) {
    scratch::Folder folder;
    RealFileSystem files;
    const std::string folderInTheWay = folder / "DIVER.CAB";
    ASSERT_EQ(::mkdir(folderInTheWay.c_str(), 0700), 0);
    EXPECT_FALSE(files.CreateFile(folderInTheWay));
    EXPECT_FALSE(files.CreateFile(folder / "missing/DIVER.CAB"));
}

TEST(RealFileSystem, FoldersAndDeletion) {
    scratch::Folder folder;
    RealFileSystem files;
    const std::string da = folder / "DA/";
    EXPECT_TRUE(files.CreateDirectory(da));
    EXPECT_FALSE(files.CreateDirectory(da));  // there already, as the platform reports it
    struct stat st {};
    ASSERT_EQ(::stat(da.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    const std::string target = folder / "target";
    scratch::WriteFile(target, "kept");
    ASSERT_EQ(::symlink(target.c_str(), (da + "link").c_str()), 0);
    scratch::WriteFile(da + "file", "x");
    EXPECT_FALSE(files.RemoveDirectory(da));  // not empty
    EXPECT_TRUE(files.DeleteFile(da + "link"));
    EXPECT_EQ(scratch::ReadFile(target), "kept");  // the link went, not what it named
    EXPECT_TRUE(files.DeleteFile(da + "file"));
    EXPECT_FALSE(files.DeleteFile(da + "file"));
    EXPECT_TRUE(files.RemoveDirectory(da));
    EXPECT_FALSE(scratch::Exists(da));
}

}  // namespace
