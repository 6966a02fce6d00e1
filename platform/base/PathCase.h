#pragma once
// The device's file system ignores letter case; Linux's does not. Files that the device's
// programs name in one case (JOKEPAD.DAT) may be stored in another (jokepad.dat), so opening a
// name that does not exist looks for one in the same folder that differs only in letter case.

#include <optional>
#include <string>

namespace platform {

// When path names nothing, the path of an entry in its folder whose name differs from the last
// part of path only in ASCII letter case; when several do, the first in byte order. Nothing
// when path exists or no such entry exists.
std::optional<std::string> FindCaseVariant(const std::string& path);

// path itself when it exists, else its case variant when there is one, else path.
std::string ResolveCase(const std::string& path);

}  // namespace platform
