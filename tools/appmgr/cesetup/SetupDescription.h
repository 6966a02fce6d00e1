#pragma once
// The setup description: our INF-style text from which cesetup writes the setup information of
// each processor's cabinet (see installer/payload/Diver.inf):
//
//   [Version]          Provider
//   [CEStrings]        AppName; InstallDir, which must be %CE1%\<Provider> <AppName>, the
//                      folder the device installer offers
//   [CEDevice]         VersionMin, VersionMax (major.minor), BuildMin, BuildMax,
//                      UnsupportedPlatforms ("HPC","JUPITER")
//   [CEDevice.<name>]  ProcessorType: one section per processor, one cabinet each
//   [DefaultInstall]   CopyFiles and CEShortcuts: the sections listing files and shortcuts
//   [DestinationDirs]  <section> = 0, <folder>: where a list's files or shortcuts go
//   a files section    "device name", file number, copy flags
//   a shortcut section "name without .lnk", 1 (to a file) or 0 (to a folder), target: a file's
//                      device name, or a section of [DestinationDirs] for a folder

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/appmgr/SetupInfo.h"

namespace cesetup {

class SetupDescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SetupDescription {
    appmgr::SetupInfo setup;                                        // processor type left 0
    std::vector<std::pair<std::string, std::uint32_t>> processors;  // section suffix, type
};

// Throws SetupDescriptionError naming the line or the value that is wrong.
SetupDescription ParseSetupDescription(std::string_view text);

// The setup information for one of the description's processor types; throws
// SetupDescriptionError for a type it does not list.
appmgr::SetupInfo SetupFor(const SetupDescription& description, std::uint32_t processor);

}  // namespace cesetup
