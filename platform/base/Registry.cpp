#include "platform/base/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace platform {

namespace {

namespace fs = std::filesystem;

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }
    int Get() const { return m_fd; }
    // Closes now and reports close's own error, which for a written file can be a late write
    // failure.
    int Close() {
        const int result = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return result;
    }

private:
    void Reset() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    int m_fd;
};

std::optional<std::string> NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

std::optional<fs::path> HomeFolder() {
    if (auto home = NonEmptyEnv("HOME"))
        return fs::path(*home);
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 &&
        result != nullptr && result->pw_dir != nullptr && *result->pw_dir != '\0') {
        return fs::path(result->pw_dir);
    }
    return std::nullopt;
}

RegistryResult Failure(RegistryStatus status, std::string message) {
    return RegistryResult{status, std::move(message)};
}

RegistryResult IoFailure(std::string_view what, const fs::path& path, int error) {
    return Failure(RegistryStatus::IoError,
                   std::string(what) + ' ' + path.string() + ": " + std::strerror(error));
}

enum class ReadOutcome { Ok, Missing, Failed };

ReadOutcome ReadWholeFile(const fs::path& path, std::string& out, int& error) {
    out.clear();
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        error = errno;
        return error == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
    }
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n == 0)
            return ReadOutcome::Ok;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return ReadOutcome::Failed;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The folder and any missing parents; the ones we create are private to the user.
RegistryResult MakeFolders(const fs::path& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return {};
        return IoFailure("cannot create the registry folder", folder, ENOTDIR);
    }
    if (folder.has_parent_path() && folder.parent_path() != folder) {
        if (auto parent = MakeFolders(folder.parent_path()); !parent)
            return parent;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return IoFailure("cannot create the registry folder", folder, errno);
    }
    return {};
}

// Under the hive's lock: read the hive again, let change edit it, and replace the file with
// the result. change answers Ok to have the result written.
RegistryResult Rewrite(const fs::path& file, std::string_view root,
                       const std::function<RegistryStatus(RegText&)>& change) {
    const fs::path folder = file.parent_path();
    if (auto made = MakeFolders(folder); !made)
        return made;

    fs::path lockPath = file;
    lockPath += ".lock";
    UniqueFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.Get() < 0)
        return IoFailure("cannot open the registry lock", lockPath, errno);
    while (::flock(lock.Get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return IoFailure("cannot lock", lockPath, errno);
    }

    std::string before;
    int error = 0;
    const ReadOutcome outcome = ReadWholeFile(file, before, error);
    // Writing over a hive we could not read would lose what it holds.
    if (outcome == ReadOutcome::Failed)
        return IoFailure("cannot read", file, error);

    RegText doc = RegText::Parse(std::string(root), before);
    if (const RegistryStatus status = change(doc); status != RegistryStatus::Ok) {
        return Failure(status, {});
    }
    const std::string after = doc.Serialize();
    if (outcome == ReadOutcome::Ok && after == before)
        return {};

    mode_t mode = 0600;
    if (struct stat info{}; outcome == ReadOutcome::Ok && ::stat(file.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    }

    std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    UniqueFd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (out.Get() < 0)
        return IoFailure("cannot create a temporary file in", folder, errno);
    const auto fail = [&](std::string_view what, const fs::path& path, int err) {
        ::unlink(temp.c_str());
        return IoFailure(what, path, err);
    };
    if (::fchmod(out.Get(), mode) != 0)
        return fail("cannot set the mode of", temp, errno);
    if (!WriteAll(out.Get(), after))
        return fail("cannot write", temp, errno);
    if (::fsync(out.Get()) != 0)
        return fail("cannot flush", temp, errno);
    if (out.Close() != 0)
        return fail("cannot write", temp, errno);
    if (::rename(temp.c_str(), file.c_str()) != 0)
        return fail("cannot replace", file, errno);

    // The rename itself is only durable once the folder is flushed; a failure here leaves a
    // complete file either way, so it is not reported.
    if (UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
    return {};
}

}  // namespace

std::optional<fs::path> RegistryFolder() {
    if (auto folder = NonEmptyEnv("JOKEPAD_REGISTRY"))
        return fs::path(*folder);
    // A relative XDG_CONFIG_HOME is invalid and is to be ignored.
    if (auto config = NonEmptyEnv("XDG_CONFIG_HOME"); config && fs::path(*config).is_absolute()) {
        return fs::path(*config) / "jokepad";
    }
    if (auto home = HomeFolder())
        return *home / ".config" / "jokepad";
    return std::nullopt;
}

RegistryHive::RegistryHive(HiveId hive) : m_hive(hive) {}

RegistryHive::RegistryHive(HiveId hive, fs::path folder)
    : m_hive(hive), m_folder(std::move(folder)) {}

std::string_view RegistryHive::RootName() const {
    return m_hive == HiveId::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::optional<fs::path> RegistryHive::FilePath() const {
    const std::optional<fs::path> folder = m_folder ? m_folder : RegistryFolder();
    if (!folder)
        return std::nullopt;
    return *folder / (m_hive == HiveId::CurrentUser ? "user.reg" : "system.reg");
}

std::optional<RegText> RegistryHive::Load() const {
    const auto file = FilePath();
    if (!file)
        return std::nullopt;
    std::string text;
    int error = 0;
    if (ReadWholeFile(*file, text, error) != ReadOutcome::Ok)
        return std::nullopt;
    return RegText::Parse(std::string(RootName()), text);
}

std::optional<RegistryValue> RegistryHive::ReadValue(std::u16string_view key,
                                                     std::u16string_view name) const {
    const auto doc = Load();
    if (!doc)
        return std::nullopt;
    return doc->Find(key, name);
}

std::optional<CString> RegistryHive::ReadString(std::u16string_view key,
                                                std::u16string_view name) const {
    auto value = ReadValue(key, name);
    if (!value || !std::holds_alternative<CString>(*value))
        return std::nullopt;
    return std::get<CString>(std::move(*value));
}

std::optional<DWORD> RegistryHive::ReadDword(std::u16string_view key,
                                             std::u16string_view name) const {
    const auto value = ReadValue(key, name);
    if (!value || !std::holds_alternative<DWORD>(*value))
        return std::nullopt;
    return std::get<DWORD>(*value);
}

bool RegistryHive::KeyExists(std::u16string_view key) const {
    const auto doc = Load();
    return doc && doc->KeyExists(key);
}

RegistryResult RegistryHive::WriteValue(std::u16string_view key, std::u16string_view name,
                                        const RegistryValue& value) {
    if (!RegText::IsValidKey(key)) {
        return Failure(RegistryStatus::InvalidName,
                       "invalid registry key \"" + CString(key).ToUtf8() + '"');
    }
    const auto file = FilePath();
    if (!file)
        return Failure(RegistryStatus::IoError, "no folder for the registry: HOME is not set");
    return Rewrite(*file, RootName(), [&](RegText& doc) {
        doc.Set(key, name, value);
        return RegistryStatus::Ok;
    });
}

RegistryResult RegistryHive::WriteString(std::u16string_view key, std::u16string_view name,
                                         std::u16string_view value) {
    return WriteValue(key, name, RegistryValue(CString(value)));
}

RegistryResult RegistryHive::WriteDword(std::u16string_view key, std::u16string_view name,
                                        DWORD value) {
    return WriteValue(key, name, RegistryValue(value));
}

RegistryResult RegistryHive::DeleteValue(std::u16string_view key, std::u16string_view name) {
    const auto file = FilePath();
    if (!file)
        return Failure(RegistryStatus::IoError, "no folder for the registry: HOME is not set");
    // A hive that is not there holds nothing to delete; do not create its folder for that.
    if (!Load())
        return Failure(RegistryStatus::NotFound, {});
    return Rewrite(*file, RootName(), [&](RegText& doc) {
        return doc.Remove(key, name) ? RegistryStatus::Ok : RegistryStatus::NotFound;
    });
}

}  // namespace platform
