#include "tools/appmgr/Device.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <system_error>

#include "platform/base/PathCase.h"
#include "tools/appmgr/FileOps.h"
#include "tools/appmgr/IniFile.h"

namespace appmgr {
namespace {

constexpr std::string_view kSection = "Device";

std::optional<std::uint32_t> Number(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<CeVersion> Version(std::string_view text) {
    const auto dot = text.find('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    const auto major = Number(text.substr(0, dot));
    const auto minor = Number(text.substr(dot + 1));
    if (!major || !minor) {
        return std::nullopt;
    }
    return CeVersion{*major, *minor};
}

// The standard folders of the device's file system, by the number of their %CEn% macro.
struct StandardFolderName {
    unsigned number;
    const char* path;
};
constexpr StandardFolderName kStandardFolders[] = {
    {1, "Program Files"},
    {2, "Windows"},
    {3, "Windows\\Desktop"},
    {4, "Windows\\StartUp"},
    {5, "My Documents"},
    {6, "Program Files\\Accessories"},
    {7, "Program Files\\Communication"},
    {8, "Program Files\\Games"},
    {9, "Program Files\\Pocket Outlook"},
    {10, "Program Files\\Office"},
    {11, "Windows\\Start Menu\\Programs"},
    {12, "Windows\\Start Menu\\Programs\\Accessories"},
    {13, "Windows\\Start Menu\\Programs\\Communications"},
    {14, "Windows\\Start Menu\\Programs\\Games"},
    {15, "Windows\\Fonts"},
    {16, "Windows\\Recent"},
    {17, "Windows\\Start Menu"},
};

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

DeviceConfig ParseDeviceConfig(std::string_view text) {
    IniFile ini;
    try {
        ini = IniFile::Parse(text);
    } catch (const IniError& e) {
        throw DeviceError(e.what());
    }
    DeviceConfig config;
    if (const auto value = ini.Value(kSection, "Processor")) {
        const auto number = Number(*value);
        if (!number) {
            throw DeviceError("Processor = " + *value + " is not a processor-type number");
        }
        config.processor = *number;
    }
    if (const auto value = ini.Value(kSection, "Version")) {
        const auto version = Version(*value);
        if (!version) {
            throw DeviceError("Version = " + *value + " is not a version such as 3.0");
        }
        config.version = *version;
    }
    if (const auto value = ini.Value(kSection, "Build")) {
        const auto number = Number(*value);
        if (!number) {
            throw DeviceError("Build = " + *value + " is not a build number");
        }
        config.build = *number;
    }
    if (const auto value = ini.Value(kSection, "Platform")) {
        config.platform = *value;
    }
    return config;
}

std::string FormatDeviceConfig(const DeviceConfig& config) {
    return "; The emulated Windows CE device that CEAppMgr.exe installs onto.\n"
           "[Device]\n"
           "Processor = " +
           std::to_string(config.processor) +
           "\nVersion   = " + std::to_string(config.version.major) + "." +
           std::to_string(config.version.minor) + "\nBuild     = " + std::to_string(config.build) +
           "\nPlatform  = " + config.platform + "\n";
}

std::optional<std::filesystem::path> Device::DefaultFolder() {
    if (const std::string device = Env("JOKEPAD_DEVICE"); !device.empty()) {
        return std::filesystem::path(device);
    }
    std::filesystem::path data = Env("XDG_DATA_HOME");
    if (data.empty() || data.is_relative()) {
        const std::string home = Env("HOME");
        if (home.empty()) {
            return std::nullopt;
        }
        data = std::filesystem::path(home) / ".local" / "share";
    }
    return data / "jokepad" / "device";
}

Device Device::Open(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        throw DeviceError("cannot make the device folder " + folder.string() + ": " +
                          (error ? error.message() : "it is not a folder"));
    }
    const auto configPath = folder / kConfigName;
    try {
        if (!std::filesystem::exists(configPath)) {
            const std::string text = FormatDeviceConfig(DeviceConfig{});
            ReplaceFile(configPath,
                        {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, 0644);
        }
        return Device(folder, ParseDeviceConfig(ReadSmallFile(configPath, 64 * 1024)));
    } catch (const DeviceError& e) {
        throw DeviceError(configPath.string() + ": " + e.what());
    } catch (const std::exception& e) {
        throw DeviceError(e.what());
    }
}

std::optional<std::vector<std::string>> Device::StandardFolder(unsigned number) {
    for (const auto& folder : kStandardFolders) {
        if (folder.number == number) {
            std::vector<std::string> components;
            std::string_view path = folder.path;
            for (auto slash = path.find('\\');; slash = path.find('\\')) {
                components.emplace_back(path.substr(0, slash));
                if (slash == std::string_view::npos) {
                    break;
                }
                path.remove_prefix(slash + 1);
            }
            return components;
        }
    }
    return std::nullopt;
}

std::filesystem::path Device::HostPath(const std::vector<std::string>& components) const {
    std::filesystem::path path = m_folder;
    for (const std::string& component : components) {
        const bool control = std::any_of(component.begin(), component.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20;
        });
        if (component.empty() || component == "." || component == ".." || control ||
            component.find_first_of("/\\") != std::string::npos) {
            throw DeviceError("\"" + component + "\" is not a name for the device's file system");
        }
        path = platform::ResolveCase((path / component).string());
    }
    return path;
}

std::string Device::DevicePath(const std::vector<std::string>& components) {
    std::string path;
    for (const std::string& component : components) {
        path += '\\';
        path += component;
    }
    return path.empty() ? "\\" : path;
}

}  // namespace appmgr
