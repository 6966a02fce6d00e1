#include "tools/appmgr/AppMgr.h"

#include <ostream>

#include "tools/appmgr/AppInstaller.h"
#include "tools/appmgr/Device.h"

namespace appmgr {
namespace {

constexpr const char* kName = "CEAppMgr.exe";

constexpr const char* kUsage =
    "usage: CEAppMgr.exe DESCRIPTOR.INI\n"
    "\n"
    "Installs the application that DESCRIPTOR.INI describes onto the emulated Windows CE\n"
    "device: the cabinet for the device's processor, from those its CabFiles names in the\n"
    "descriptor's folder. The device is the folder $JOKEPAD_DEVICE, else\n"
    "${XDG_DATA_HOME:-$HOME/.local/share}/jokepad/device; its device.ini records the\n"
    "processor, the Windows CE version and build, and the platform (made with the defaults\n"
    "2577, 3.0, 0 and PocketPC when missing).\n"
    "\n"
    "  --help, --version\n";

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string descriptor;
    for (const std::string& arg : args) {
        if (arg == "--help") {
            out << kUsage;
            return kExitOk;
        }
        if (arg == "--version") {
            out << kName << " 1.0.0 (jokepad's stand-in for the Windows CE application manager)\n";
            return kExitOk;
        }
        if (arg.starts_with("--")) {
            err << kName << ": unknown option " << arg << "\n" << kUsage;
            return kExitUsage;
        }
        // The platform's manager takes the rest of its command line as the path, so a path
        // with blanks that reached us unquoted, as several words, is put back together.
        descriptor += (descriptor.empty() ? "" : " ") + arg;
    }
    if (descriptor.empty()) {
        err << kName << ": give the descriptor to install from\n" << kUsage;
        return kExitUsage;
    }

    const auto folder = Device::DefaultFolder();
    if (!folder) {
        err << kName << ": no device folder: set JOKEPAD_DEVICE or HOME\n";
        return kExitFailed;
    }
    try {
        const Device device = Device::Open(*folder);
        const InstallResult result = Install(descriptor, device);
        for (const InstalledFile& file : result.files) {
            if (file.kept) {
                out << "kept " << file.devicePath << " (already on the device)\n";
            } else {
                out << "installed " << file.devicePath << " (" << file.size << " bytes)\n";
            }
        }
    } catch (const DeviceError& e) {
        err << kName << ": the device: " << e.what() << "\n";
        return kExitFailed;
    } catch (const InstallError& e) {
        err << kName << ": " << e.what() << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace appmgr
