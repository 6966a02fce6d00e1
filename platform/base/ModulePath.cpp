#include "platform/base/ModulePath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace {

// A function-local object, so that a global application object may ask for the path during
// static initialisation.
std::optional<CString>& TestPath() {
    static std::optional<CString> path;
    return path;
}

std::string ReadSelfLink() {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    // The kernel marks a program file replaced while it runs; its files still lie under the
    // old name.
    constexpr std::string_view kDeleted = " (deleted)";
    struct stat info {};
    if (buffer.ends_with(kDeleted) && ::stat(buffer.c_str(), &info) != 0) {
        buffer.resize(buffer.size() - kDeleted.size());
    }
    return buffer;
}

bool EndsWithExe(std::u16string_view path) {
    constexpr std::u16string_view kExe = u".exe";
    if (path.size() < kExe.size())
        return false;
    const std::u16string_view tail = path.substr(path.size() - kExe.size());
    for (std::size_t i = 0; i < kExe.size(); ++i) {
        const char16_t c = tail[i];
        const char16_t lower = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
        if (lower != kExe[i])
            return false;
    }
    return true;
}

std::u16string_view WithoutExe(std::u16string_view path) {
    return EndsWithExe(path) ? path.substr(0, path.size() - 4) : path;
}

}  // namespace

CString AfxGetModuleFileName() {
    if (TestPath())
        return *TestPath();
    return CString::FromUtf8(ReadSelfLink());
}

namespace platform {

void SetModulePathForTesting(std::optional<CString> path) {
    TestPath() = std::move(path);
}

CString ProgramFilePath(const CString& modulePath, std::u16string_view extension) {
    return CString(std::u16string(WithoutExe(modulePath.View())) + std::u16string(extension));
}

CString ProgramNameFromPath(const CString& modulePath) {
    const int slash = modulePath.ReverseFind(u'/');
    const std::u16string_view file = modulePath.View().substr(static_cast<std::size_t>(slash + 1));
    // A file called ".exe" alone keeps its whole name rather than have none.
    const std::u16string_view name = WithoutExe(file);
    return CString(name.empty() ? file : name);
}

}  // namespace platform
