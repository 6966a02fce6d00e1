#pragma once
// The setup information a device cabinet carries in its member ending in ".000": what the
// device installer needs to put the application on the device. The binary form is described
// where it is written, in SetupInfo.cpp; WriteSetupInfo and ReadSetupInfo are each other's
// inverse for every value WriteSetupInfo accepts.

#include <compare>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/appmgr/ByteIo.h"

namespace appmgr {

class SetupInfoError : public FormatError {
public:
    using FormatError::FormatError;
};

struct CeVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    auto operator<=>(const CeVersion&) const = default;
};

// Bits of a file's copy flags the manager acts on; the others are carried along.
inline constexpr std::uint32_t kCopyNoSkip = 0x00000002;       // a failed copy fails the setup
inline constexpr std::uint32_t kCopyNoOverwrite = 0x00000010;  // an existing file is kept

// A folder on the device: its path as components, the first of which may be a standard folder
// ("%CE17%"); without one the path is the application's own, under the installation folder.
struct SetupDirectory {
    std::uint16_t id = 0;
    std::vector<std::string> path;
    bool operator==(const SetupDirectory&) const = default;
};

struct SetupFile {
    std::uint16_t id = 0;  // also the cabinet member's extension: file 1 is ".001"
    std::uint16_t directory = 0;
    std::uint32_t flags = 0;
    std::string name;  // on the device
    bool operator==(const SetupFile&) const = default;
};

enum class ShortcutKind : std::uint16_t { Folder = 0, File = 1 };

struct SetupShortcut {
    std::uint16_t id = 0;
    // The standard folder the shortcut lies in, n of %CEn%; 0 for the installation folder.
    std::uint16_t baseFolder = 0;
    ShortcutKind kind = ShortcutKind::File;
    std::uint16_t target = 0;  // a file id or a directory id, as kind says
    // Below the base folder; the last component is the shortcut's name without ".lnk".
    std::vector<std::string> path;
    bool operator==(const SetupShortcut&) const = default;
};

struct SetupInfo {
    std::string appName;
    std::string provider;
    std::uint32_t processor = 0;  // the platform's processor-type code, e.g. 2577
    CeVersion versionMin;
    CeVersion versionMax;        // 0.0: no upper bound
    std::uint32_t buildMin = 0;  // 0: no bound
    std::uint32_t buildMax = 0;
    std::vector<std::string> unsupportedPlatforms;
    std::vector<SetupDirectory> directories;
    std::vector<SetupFile> files;
    std::vector<SetupShortcut> shortcuts;

    const SetupDirectory* Directory(std::uint16_t id) const;
    const SetupFile* File(std::uint16_t id) const;
    bool operator==(const SetupInfo&) const = default;
};

// Throws SetupInfoError for values the binary form cannot hold: an empty or over-long name,
// a zero byte in a name, a duplicate id, or a reference to a directory or file that is not
// there.
std::vector<std::uint8_t> WriteSetupInfo(const SetupInfo& info);

// Throws SetupInfoError when the bytes are not whole, consistent setup information, or hold
// registry entries, which this device does not take.
SetupInfo ReadSetupInfo(std::span<const std::uint8_t> bytes);

}  // namespace appmgr
