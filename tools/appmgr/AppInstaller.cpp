#include "tools/appmgr/AppInstaller.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <span>
#include <system_error>

#include "tools/appmgr/Cabinet.h"
#include "tools/appmgr/Descriptor.h"
#include "tools/appmgr/FileOps.h"
#include "tools/appmgr/TextCase.h"

namespace appmgr {
namespace {

namespace fs = std::filesystem;

struct Candidate {
    std::string name;
    Cabinet cabinet;
    SetupInfo setup;
};

struct PlannedFile {
    std::vector<std::string> device;  // path components below the device's root
    fs::path host;
    std::vector<std::uint8_t> ownBytes;  // a shortcut's text
    std::span<const std::uint8_t> bytes;
    mode_t mode = 0644;
    bool noOverwrite = false;
};

std::string VersionText(const CeVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           EqualsIgnoringCase(text.substr(text.size() - end.size()), end);
}

Candidate ReadCabinet(const fs::path& folder, const std::string& name) {
    const fs::path path = ResolveInFolder(folder, name);
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        throw InstallError("the cabinet " + name + " that the descriptor names is not in " +
                           folder.string());
    }
    try {
        Cabinet cabinet = Cabinet::Load(path);
        const CabinetMember* setupMember = nullptr;
        for (const CabinetMember& member : cabinet.Members()) {
            if (EndsWithIgnoringCase(member.name, ".000")) {
                if (setupMember) {
                    throw CabinetError("it holds two setup informations (" + setupMember->name +
                                       ", " + member.name + ")");
                }
                setupMember = &member;
            }
        }
        if (!setupMember) {
            throw CabinetError("it holds no setup information (a member ending in .000)");
        }
        SetupInfo setup;
        try {
            setup = ReadSetupInfo(cabinet.Content(*setupMember));
        } catch (const SetupInfoError& e) {
            throw CabinetError("its setup information " + setupMember->name +
                               " is unreadable: " + e.what());
        }
        return {name, std::move(cabinet), std::move(setup)};
    } catch (const FormatError& e) {
        throw InstallError("the cabinet " + name + " is damaged: " + e.what());
    }
}

std::optional<unsigned> StandardFolderNumber(std::string_view component) {
    if (!component.starts_with("%") || !component.ends_with("%") || component.size() < 5 ||
        !EqualsIgnoringCase(component.substr(1, 2), "CE")) {
        return std::nullopt;
    }
    unsigned number = 0;
    const auto digits = component.substr(3, component.size() - 4);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

std::vector<std::string> StandardFolderPath(unsigned number) {
    auto path = Device::StandardFolder(number);
    if (!path) {
        throw InstallError("the setup uses standard folder %CE" + std::to_string(number) +
                           "%, which this device does not have");
    }
    return *path;
}

// A component may itself hold a backslash-separated path.
void AppendComponents(std::vector<std::string>& path, std::string_view component) {
    for (;;) {
        const auto slash = component.find('\\');
        if (!component.substr(0, slash).empty()) {
            path.emplace_back(component.substr(0, slash));
        }
        if (slash == std::string_view::npos) {
            return;
        }
        component.remove_prefix(slash + 1);
    }
}

// A directory that starts with a standard folder lies there; any other is the application's
// own folder, the installation folder, with the components after the first below it.
std::vector<std::string> DirectoryPath(const SetupDirectory& directory,
                                       const std::vector<std::string>& installFolder) {
    std::vector<std::string> path;
    if (const auto number = StandardFolderNumber(directory.path.front())) {
        path = StandardFolderPath(*number);
    } else {
        path = installFolder;
    }
    for (std::size_t i = 1; i < directory.path.size(); ++i) {
        AppendComponents(path, directory.path[i]);
    }
    return path;
}

void CheckDevice(const SetupInfo& setup, const DeviceConfig& device) {
    const bool versionTooLow = device.version < setup.versionMin;
    const bool versionTooHigh =
        setup.versionMax != CeVersion{} && setup.versionMax < device.version;
    const bool buildTooLow = setup.buildMin != 0 && device.build < setup.buildMin;
    const bool buildTooHigh = setup.buildMax != 0 && device.build > setup.buildMax;
    if (versionTooLow || versionTooHigh || buildTooLow || buildTooHigh) {
        std::string range = VersionText(setup.versionMin) + " to " +
                            (setup.versionMax == CeVersion{} ? std::string("any later")
                                                             : VersionText(setup.versionMax));
        if (setup.buildMin != 0 || setup.buildMax != 0) {
            range += ", builds " + std::to_string(setup.buildMin) + " to " +
                     (setup.buildMax ? std::to_string(setup.buildMax) : std::string("any"));
        }
        throw InstallError("it needs Windows CE " + range + "; the device runs " +
                           VersionText(device.version) + " build " + std::to_string(device.build));
    }
    for (const std::string& platform : setup.unsupportedPlatforms) {
        if (EqualsIgnoringCase(platform, device.platform)) {
            throw InstallError("it does not install on the device's platform, " + device.platform);
        }
    }
}

std::vector<PlannedFile> Plan(const Candidate& candidate, const Device& device) {
    const SetupInfo& setup = candidate.setup;
    std::vector<std::string> installFolder = StandardFolderPath(1);
    installFolder.push_back(setup.provider + " " + setup.appName);

    std::vector<PlannedFile> plan;
    std::vector<std::vector<std::string>> filePaths;
    for (const SetupFile& file : setup.files) {
        char extension[8];
        std::snprintf(extension, sizeof extension, ".%03u", static_cast<unsigned>(file.id));
        const CabinetMember* member = nullptr;
        for (const CabinetMember& m : candidate.cabinet.Members()) {
            if (EndsWithIgnoringCase(m.name, extension)) {
                member = &m;
                break;
            }
        }
        if (!member) {
            throw InstallError("the cabinet " + candidate.name + " is damaged: it has no member " +
                               "ending in " + extension + " for " + file.name);
        }
        PlannedFile planned;
        planned.device = DirectoryPath(*setup.Directory(file.directory), installFolder);
        AppendComponents(planned.device, file.name);
        planned.bytes = candidate.cabinet.Content(*member);
        // The device runs any .exe; here a program must carry the execute bits.
        planned.mode = EndsWithIgnoringCase(file.name, ".exe") ? 0755 : 0644;
        planned.noOverwrite = (file.flags & kCopyNoOverwrite) != 0;
        filePaths.push_back(planned.device);
        plan.push_back(std::move(planned));
    }
    for (const SetupShortcut& shortcut : setup.shortcuts) {
        PlannedFile planned;
        planned.device =
            shortcut.baseFolder == 0 ? installFolder : StandardFolderPath(shortcut.baseFolder);
        for (const std::string& component : shortcut.path) {
            AppendComponents(planned.device, component);
        }
        if (planned.device.empty()) {
            throw InstallError("a shortcut of the setup has no name");
        }
        planned.device.back() += ".lnk";
        std::vector<std::string> target;
        if (shortcut.kind == ShortcutKind::File) {
            const auto* file = setup.File(shortcut.target);
            target = filePaths.at(static_cast<std::size_t>(file - setup.files.data()));
        } else {
            target = DirectoryPath(*setup.Directory(shortcut.target), installFolder);
        }
        const std::string text = ShortcutText(Device::DevicePath(target));
        planned.ownBytes.assign(text.begin(), text.end());
        plan.push_back(std::move(planned));
    }

    for (std::size_t i = 0; i < plan.size(); ++i) {
        try {
            plan[i].host = device.HostPath(plan[i].device);
        } catch (const DeviceError& e) {
            throw InstallError("the setup names a file the device cannot hold: " +
                               std::string(e.what()));
        }
        if (!plan[i].ownBytes.empty()) {
            plan[i].bytes = plan[i].ownBytes;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (EqualsIgnoringCase(Device::DevicePath(plan[i].device),
                                   Device::DevicePath(plan[j].device))) {
                throw InstallError("the setup puts two files at " +
                                   Device::DevicePath(plan[i].device));
            }
        }
    }
    return plan;
}

// The writes of one install. Until Commit, the destructor takes back every file put in place
// (restoring a file it replaced) and every folder it made; the staging folder goes either way.
class Transaction {
public:
    explicit Transaction(const fs::path& deviceFolder) : m_root(deviceFolder) {
        std::string pattern = (deviceFolder / ".CEAppMgr-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            throw std::system_error(errno, std::generic_category(),
                                    "cannot make a staging folder in " + deviceFolder.string());
        }
        m_staging = pattern;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    ~Transaction() {
        if (!m_committed) {
            Rollback();
        }
        std::error_code ignored;
        fs::remove_all(m_staging, ignored);
    }

    fs::path Stage(std::size_t index, std::span<const std::uint8_t> bytes, mode_t mode) {
        const fs::path staged = m_staging / ("new-" + std::to_string(index));
        WriteNewFile(staged, bytes, mode);
        return staged;
    }

    void MakeFolders(const fs::path& folder) {
        std::vector<fs::path> missing;
        for (fs::path p = folder; p != m_root && p.has_relative_path(); p = p.parent_path()) {
            std::error_code error;
            if (fs::exists(fs::symlink_status(p, error))) {
                break;
            }
            missing.push_back(p);
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (::mkdir(it->c_str(), 0755) != 0) {
                throw std::system_error(errno, std::generic_category(),
                                        "cannot make the folder " + it->string());
            }
            m_madeFolders.push_back(*it);
        }
    }

    void Place(std::size_t index, const fs::path& staged, const fs::path& target) {
        Placed placed{target, std::nullopt};
        struct stat st {};
        if (::lstat(target.c_str(), &st) == 0) {
            if (S_ISDIR(st.st_mode)) {
                throw InstallError(target.string() + " is a folder; the file cannot go there");
            }
            placed.backup = m_staging / ("old-" + std::to_string(index));
            if (::rename(target.c_str(), placed.backup->c_str()) != 0) {
                throw std::system_error(errno, std::generic_category(),
                                        "cannot move aside " + target.string());
            }
        }
        if (::rename(staged.c_str(), target.c_str()) != 0) {
            const int error = errno;
            if (placed.backup) {
                ::rename(placed.backup->c_str(), target.c_str());
            }
            throw std::system_error(error, std::generic_category(),
                                    "cannot put in place " + target.string());
        }
        m_placed.push_back(std::move(placed));
    }

    void Commit() { m_committed = true; }

private:
    struct Placed {
        fs::path target;
        std::optional<fs::path> backup;
    };

    void Rollback() noexcept {
        for (auto it = m_placed.rbegin(); it != m_placed.rend(); ++it) {
            ::unlink(it->target.c_str());
            if (it->backup) {
                ::rename(it->backup->c_str(), it->target.c_str());
            }
        }
        for (auto it = m_madeFolders.rbegin(); it != m_madeFolders.rend(); ++it) {
            ::rmdir(it->c_str());
        }
    }

    fs::path m_root;
    fs::path m_staging;
    std::vector<Placed> m_placed;
    std::vector<fs::path> m_madeFolders;
    bool m_committed = false;
};

}  // namespace

std::string ShortcutText(const std::string& targetDevicePath) {
    const std::string command = "\"" + targetDevicePath + "\"";
    return std::to_string(command.size()) + "#" + command;
}

InstallResult Install(const fs::path& descriptorPath, const Device& device) {
    Descriptor descriptor;
    try {
        descriptor = LoadDescriptor(descriptorPath);
    } catch (const DescriptorError& e) {
        throw InstallError("the descriptor " + descriptorPath.string() + ": " + e.what());
    }
    const std::string application =
        descriptor.description.empty() ? descriptor.component : descriptor.description;
    const fs::path folder =
        descriptorPath.has_parent_path() ? descriptorPath.parent_path() : fs::path(".");

    std::vector<Candidate> candidates;
    try {
        for (const std::string& name : descriptor.cabFiles) {
            candidates.push_back(ReadCabinet(folder, name));
        }
    } catch (const InstallError& e) {
        throw InstallError(application + ": " + e.what());
    }

    const DeviceConfig& config = device.Config();
    const Candidate* chosen = nullptr;
    std::string offered;
    for (const Candidate& candidate : candidates) {
        offered += (offered.empty() ? "" : ", ") + std::to_string(candidate.setup.processor);
        if (!chosen && candidate.setup.processor == config.processor) {
            chosen = &candidate;
        }
    }
    if (!chosen) {
        throw InstallError(application + ": no cabinet is for the device's processor type " +
                           std::to_string(config.processor) + " (the cabinets are for " + offered +
                           ")");
    }

    InstallResult result;
    result.application = application;
    result.cabinet = chosen->name;
    try {
        CheckDevice(chosen->setup, config);
        std::vector<PlannedFile> plan = Plan(*chosen, device);

        Transaction transaction(device.Folder());
        std::vector<fs::path> staged;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            staged.push_back(transaction.Stage(i, plan[i].bytes, plan[i].mode));
        }
        for (std::size_t i = 0; i < plan.size(); ++i) {
            InstalledFile installed{Device::DevicePath(plan[i].device), plan[i].host,
                                    plan[i].bytes.size(), false};
            std::error_code error;
            if (plan[i].noOverwrite && fs::exists(fs::symlink_status(plan[i].host, error))) {
                installed.kept = true;
            } else {
                transaction.MakeFolders(plan[i].host.parent_path());
                transaction.Place(i, staged[i], plan[i].host);
            }
            result.files.push_back(std::move(installed));
        }
        transaction.Commit();
    } catch (const InstallError& e) {
        throw InstallError(application + ": " + e.what());
    } catch (const std::system_error& e) {
        throw InstallError(application + ": nothing was installed: " + e.what());
    }
    return result;
}

}  // namespace appmgr
