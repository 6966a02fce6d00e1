#include "platform/desktop/TempPath.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Why the folder is not one only we can use; empty when it is. The folder itself is looked at,
// not what a link points to.
std::string WhyNotPrivate(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return path + ": " + std::strerror(errno);
    if (S_ISLNK(st.st_mode))
        return path + " is a symbolic link";
    if (!S_ISDIR(st.st_mode))
        return path + " is not a folder";
    if (st.st_uid != geteuid())
        return path + " belongs to another user";
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return path + " is open to other users";
    return {};
}

}  // namespace

std::string PrivateTempPath(std::string* error) {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string base = tmpdir && tmpdir[0] == '/' ? WithoutTrailingSlashes(tmpdir) : "/tmp";
    if (WhyNotPrivate(base).empty())
        return base == "/" ? base : base + '/';

    const std::string own = (base == "/" ? "" : base) + "/jokepad-" +
                            std::to_string(static_cast<unsigned long>(geteuid()));
    // An existing folder is checked like a new one: it may have been made by someone else.
    if (mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
        if (error)
            *error = "cannot make the temporary folder " + own + ": " + std::strerror(errno);
        return {};
    }
    if (std::string why = WhyNotPrivate(own); !why.empty()) {
        if (error)
            *error = "unsafe temporary folder: " + why;
        return {};
    }
    return own + '/';
}
