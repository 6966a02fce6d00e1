#include "platform/desktop/TempPath.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "Scratch.h"

namespace {

const std::string kOwnName = "jokepad-" + std::to_string(geteuid());

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

TEST(PrivateTempPath, APrivateTmpdirIsUsedWithOneTrailingSlash) {
    scratch::Folder folder;  // mode 0700, ours
    for (const std::string& given : {folder.Path(), folder.Path() + "/", folder.Path() + "//"}) {
        SCOPED_TRACE("TMPDIR=" + given);
        scratch::ScopedEnv tmpdir("TMPDIR", given);
        std::string error;
        EXPECT_EQ(PrivateTempPath(&error), folder.Path() + "/");
        EXPECT_EQ(error, "");
    }
    EXPECT_FALSE(scratch::Exists(folder / kOwnName));
}

TEST(PrivateTempPath, ASharedTmpdirGetsAFolderOfOurOwn) {
    scratch::Folder folder;
    const std::string shared = folder / "shared";
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);  // as /tmp is
    const std::string link = folder / "link";  // a link to a private folder is not trusted either
    ASSERT_EQ(::symlink(folder.Path().c_str(), link.c_str()), 0);

    for (const std::string& base : {shared, link}) {
        SCOPED_TRACE("TMPDIR=" + base);
        scratch::ScopedEnv tmpdir("TMPDIR", base + "/");
        std::string error;
        const std::string path = PrivateTempPath(&error);
        EXPECT_EQ(path, base + "/" + kOwnName + "/");
        EXPECT_EQ(error, "");
        const mode_t mode = ModeOf(base + "/" + kOwnName);
        EXPECT_TRUE(S_ISDIR(mode));
        EXPECT_EQ(mode & 07777, 0700u);
        // A second run uses the same folder.
        EXPECT_EQ(PrivateTempPath(&error), path);
    }
}

TEST(PrivateTempPath, RefusesAFolderOthersCouldReach) {
    struct Case {
        const char* what;
        std::function<void(const std::string& own, const std::string& folder)> plant;
        const char* reason;
        bool needsRoot;
    };
    const Case cases[] = {
        {"a link to our own folder",
         [](const std::string& own, const std::string& folder) {
             const std::string target = folder + "/elsewhere";
             ::mkdir(target.c_str(), 0700);
             ::symlink(target.c_str(), own.c_str());
         },
         "is a symbolic link", false},
        {"a folder open to others",
         [](const std::string& own, const std::string&) {
             ::mkdir(own.c_str(), 0700);
             ::chmod(own.c_str(), 0755);
         },
         "is open to other users", false},
        {"a file", [](const std::string& own, const std::string&) { scratch::WriteFile(own, "x"); },
         "is not a folder", false},
        {"someone else's folder",
         [](const std::string& own, const std::string&) {
             ::mkdir(own.c_str(), 0700);
             [[maybe_unused]] const int rc = ::chown(own.c_str(), 65534, 65534);
         },
         "belongs to another user", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && geteuid() != 0)
            continue;  // only root can give a folder away
        scratch::Folder folder;
        const std::string shared = folder / "shared";
        ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
        ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
        const std::string own = shared + "/" + kOwnName;
        c.plant(own, folder.Path());
        scratch::ScopedEnv tmpdir("TMPDIR", shared);
        std::string error;
        EXPECT_EQ(PrivateTempPath(&error), "");
        EXPECT_NE(error.find(own), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(PrivateTempPath, ARelativeOrEmptyTmpdirMeansTheSystemFolder) {
    for (const char* given : {"", "relative/dir"}) {
        SCOPED_TRACE(std::string("TMPDIR=") + given);
        scratch::ScopedEnv tmpdir("TMPDIR", std::string(given));
        std::string error;
        const std::string path = PrivateTempPath(&error);
        // /tmp is shared, so the folder is our own one below it (or a clear refusal).
        if (path.empty())
            EXPECT_NE(error.find("/tmp/" + kOwnName), std::string::npos) << error;
        else
            EXPECT_EQ(path, "/tmp/" + kOwnName + "/");
    }
}

}  // namespace
