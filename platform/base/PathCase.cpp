#include "platform/base/PathCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace platform {
namespace {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

}  // namespace

std::optional<std::string> FindCaseVariant(const std::string& path) {
    struct stat st {};
    if (path.empty() || lstat(path.c_str(), &st) == 0)
        return std::nullopt;
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return std::nullopt;

    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view candidate(entry->d_name);
        if (EqualIgnoringAsciiCase(candidate, name) && (!best || candidate < *best)) {
            best = std::string(candidate);
        }
    }
    if (!best)
        return std::nullopt;
    return slash == std::string::npos ? *best : folder + *best;
}

std::string ResolveCase(const std::string& path) {
    auto variant = FindCaseVariant(path);
    return variant ? std::move(*variant) : path;
}

}  // namespace platform
