#pragma once
// The emulated Windows CE device the manager installs onto: a folder that stands for the
// device's file system (its root "\" is the folder), and device.ini in it recording what the
// device is. A missing device.ini is created with the defaults:
//
//   [Device]
//   Processor = 2577      the processor-type code (2577 StrongARM, 4000 MIPS, 10003 SH3)
//   Version   = 3.0       Windows CE major.minor
//   Build     = 0
//   Platform  = PocketPC  the platform name setups may refuse ("HPC", "JUPITER", ...)

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/appmgr/SetupInfo.h"

namespace appmgr {

class DeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DeviceConfig {
    std::uint32_t processor = 2577;
    CeVersion version{3, 0};
    std::uint32_t build = 0;
    std::string platform = "PocketPC";
};

// Throws DeviceError naming the key that is wrong.
DeviceConfig ParseDeviceConfig(std::string_view text);
std::string FormatDeviceConfig(const DeviceConfig& config);

class Device {
public:
    static constexpr const char* kConfigName = "device.ini";

    // $JOKEPAD_DEVICE when set, else ${XDG_DATA_HOME:-$HOME/.local/share}/jokepad/device;
    // nothing when neither names a folder.
    static std::optional<std::filesystem::path> DefaultFolder();

    // Creates the folder and its device.ini when they are missing. Throws DeviceError.
    static Device Open(const std::filesystem::path& folder);

    const std::filesystem::path& Folder() const { return m_folder; }
    const DeviceConfig& Config() const { return m_config; }

    // The device path of standard folder n (%CEn%), e.g. 17 -> \Windows\Start Menu, as
    // components; nothing for a number the device does not know.
    static std::optional<std::vector<std::string>> StandardFolder(unsigned number);

    // Where a device path (as components below the root) lies in the folder. An existing
    // entry that differs only in letter case is used, as the device's file system ignores case.
    // Throws DeviceError for a component that would leave the folder ("..", a "/").
    std::filesystem::path HostPath(const std::vector<std::string>& components) const;

    // "\Program Files\Wendle Diver\WJ.exe".
    static std::string DevicePath(const std::vector<std::string>& components);

private:
    Device(std::filesystem::path folder, DeviceConfig config)
        : m_folder(std::move(folder)), m_config(std::move(config)) {}

    std::filesystem::path m_folder;
    DeviceConfig m_config;
};

}  // namespace appmgr
