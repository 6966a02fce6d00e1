#pragma once
// The desktop finds the application manager through the registry: "InstalledDir" under
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows CE Services names the folder that holds
// CEAppMgr.exe. Installing the manager registers its folder there (in the registry stand-in).

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/base/Registry.h"

namespace appmgr {

inline constexpr char16_t kServicesKey[] = u"Software\\Microsoft\\Windows CE Services";
inline constexpr char16_t kInstalledDirValue[] = u"InstalledDir";

// Writes folder, made absolute, as InstalledDir in hive.
platform::RegistryResult RegisterAppManager(platform::RegistryHive& hive,
                                            const std::filesystem::path& folder);

// The command line of appmgr-register (without the program name): `appmgr-register FOLDER`.
int RunRegister(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace appmgr
