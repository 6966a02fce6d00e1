#include "tools/appmgr/Registration.h"

#include <ostream>
#include <system_error>

#include "platform/base/CString.h"

namespace appmgr {
namespace {

constexpr const char* kUsage =
    "usage: appmgr-register FOLDER\n"
    "\n"
    "Records FOLDER, the folder that holds CEAppMgr.exe, as \"InstalledDir\" under\n"
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows CE Services in the registry stand-in\n"
    "($JOKEPAD_REGISTRY, else ${XDG_CONFIG_HOME:-$HOME/.config}/jokepad), where jokesetup\n"
    "looks for the application manager.\n"
    "\n"
    "  --help, --version\n";

}  // namespace

platform::RegistryResult RegisterAppManager(platform::RegistryHive& hive,
                                            const std::filesystem::path& folder) {
    std::error_code error;
    auto absolute = std::filesystem::absolute(folder, error);
    if (error) {
        return {platform::RegistryStatus::IoError,
                "cannot make " + folder.string() + " absolute: " + error.message()};
    }
    absolute = absolute.lexically_normal();
    // "/usr/local/bin/" and "/usr/local/bin" are one folder; keep the form without the slash.
    std::string text = absolute.string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return hive.WriteString(kServicesKey, kInstalledDirValue, CString::FromUtf8(text).View());
}

int RunRegister(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "appmgr-register 1.0.0\n";
        return 0;
    }
    if (args.size() != 1 || args[0].empty() || args[0].starts_with("--")) {
        err << "appmgr-register: give the folder that holds CEAppMgr.exe\n" << kUsage;
        return 2;
    }
    platform::RegistryHive hive(platform::HiveId::LocalMachine);
    const auto result = RegisterAppManager(hive, args[0]);
    if (!result) {
        err << "appmgr-register: " << result.message << "\n";
        return 1;
    }
    out << "appmgr-register: InstalledDir = "
        << hive.ReadString(kServicesKey, kInstalledDirValue).value_or(CString()).ToUtf8() << " in "
        << hive.FilePath().value_or("").string() << "\n";
    return 0;
}

}  // namespace appmgr
