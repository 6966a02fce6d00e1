#pragma once
// What the application manager does with a descriptor: find the cabinet for the device's
// processor among those the descriptor names, check that the device meets the setup, and put
// the files and shortcuts in place. Every check comes before the first write, and the writes
// go first to a staging folder on the device, so a refused or failed install leaves the device
// as it was.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/appmgr/Device.h"

namespace appmgr {

// Why nothing was installed, for the user.
class InstallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct InstalledFile {
    std::string devicePath;  // "\Program Files\Wendle Diver\WJ.exe"
    std::filesystem::path hostPath;
    std::uintmax_t size = 0;
    bool kept = false;  // already there, and the setup asks not to overwrite it
};

struct InstallResult {
    std::string application;  // the descriptor's description
    std::string cabinet;      // the file name of the cabinet installed from
    std::vector<InstalledFile> files;
};

// A shortcut's content in the device's text form: the length of the command, "#", and the
// command, the target's path in quotes: 36#"\Program Files\Wendle Diver\WJ.exe".
std::string ShortcutText(const std::string& targetDevicePath);

// Throws InstallError.
InstallResult Install(const std::filesystem::path& descriptorPath, const Device& device);

}  // namespace appmgr
