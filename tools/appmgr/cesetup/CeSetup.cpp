#include "tools/appmgr/cesetup/CeSetup.h"

#include <charconv>
#include <cstdio>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "tools/appmgr/FileOps.h"
#include "tools/appmgr/cesetup/SetupDescription.h"

namespace cesetup {
namespace {

constexpr const char* kUsage =
    "usage: cesetup [--processor TYPE] DESCRIPTION.inf OUTPUT\n"
    "       cesetup --processors DESCRIPTION.inf\n"
    "       cesetup --show SETUP\n"
    "\n"
    "Writes OUTPUT, the setup information member (NAME.000) of a device cabinet, for the\n"
    "processor type TYPE (needed when the description lists several), from a setup\n"
    "description. --processors lists the description's processor types; --show prints the\n"
    "values a setup information member holds.\n"
    "\n"
    "  --help, --version\n";

constexpr std::uintmax_t kMaxInput = 1024 * 1024;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

SetupDescription LoadDescription(const std::string& path) {
    try {
        return ParseSetupDescription(appmgr::ReadSmallFile(path, kMaxInput));
    } catch (const SetupDescriptionError& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
}

std::string Version(const appmgr::CeVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor);
}

std::string Path(const std::vector<std::string>& components) {
    std::string text;
    for (const auto& component : components) {
        text += (text.empty() ? "" : "\\") + component;
    }
    return text;
}

void Show(const appmgr::SetupInfo& setup, std::ostream& out) {
    out << "application: " << setup.appName << "\nprovider: " << setup.provider
        << "\nprocessor: " << setup.processor << "\nversion: " << Version(setup.versionMin)
        << " to " << Version(setup.versionMax) << ", builds " << setup.buildMin << " to "
        << setup.buildMax << "\nunsupported platforms:";
    for (const auto& platform : setup.unsupportedPlatforms) {
        out << " " << platform;
    }
    out << "\n";
    for (const auto& directory : setup.directories) {
        out << "directory " << directory.id << ": " << Path(directory.path) << "\n";
    }
    for (const auto& file : setup.files) {
        char flags[16];
        std::snprintf(flags, sizeof flags, "0x%08X", static_cast<unsigned>(file.flags));
        out << "file " << file.id << ": " << file.name << " in directory " << file.directory
            << ", flags " << flags << "\n";
    }
    for (const auto& shortcut : setup.shortcuts) {
        out << "shortcut " << shortcut.id << ": " << Path(shortcut.path) << " in "
            << (shortcut.baseFolder ? "%CE" + std::to_string(shortcut.baseFolder) + "%"
                                    : std::string("the installation folder"))
            << " to " << (shortcut.kind == appmgr::ShortcutKind::File ? "file " : "directory ")
            << shortcut.target << "\n";
    }
}

int Main(const std::vector<std::string>& args, std::ostream& out) {
    std::vector<std::string> operands;
    std::string processorText;
    enum class Mode { Write, Processors, Show } mode = Mode::Write;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            out << kUsage;
            return 0;
        }
        if (arg == "--version") {
            out << "cesetup 1.0.0\n";
            return 0;
        }
        if (arg == "--processor") {
            if (++i == args.size()) {
                throw UsageError("--processor needs a processor type");
            }
            processorText = args[i];
        } else if (arg == "--processors") {
            mode = Mode::Processors;
        } else if (arg == "--show") {
            mode = Mode::Show;
        } else if (arg.starts_with("--")) {
            throw UsageError("unknown option " + arg);
        } else {
            operands.push_back(arg);
        }
    }

    const std::size_t wanted = mode == Mode::Write ? 2 : 1;
    if (operands.size() != wanted) {
        throw UsageError("wrong number of operands");
    }
    if (mode == Mode::Show) {
        const std::string bytes = appmgr::ReadSmallFile(operands[0], kMaxInput);
        try {
            Show(appmgr::ReadSetupInfo(
                     {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}),
                 out);
        } catch (const appmgr::FormatError& e) {
            throw std::runtime_error(operands[0] + ": " + e.what());
        }
        return 0;
    }
    const SetupDescription description = LoadDescription(operands[0]);
    if (mode == Mode::Processors) {
        for (const auto& [name, type] : description.processors) {
            out << type << " " << name << "\n";
        }
        return 0;
    }
    std::uint32_t processor = 0;
    if (processorText.empty()) {
        if (description.processors.size() != 1) {
            throw UsageError("the description lists several processors; give --processor");
        }
        processor = description.processors.front().second;
    } else {
        const auto [end, error] = std::from_chars(
            processorText.data(), processorText.data() + processorText.size(), processor);
        if (error != std::errc() || end != processorText.data() + processorText.size()) {
            throw UsageError("--processor " + processorText + " is not a number");
        }
    }
    const auto bytes = appmgr::WriteSetupInfo(SetupFor(description, processor));
    appmgr::ReplaceFile(operands[1], bytes, 0644);
    return 0;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        return Main(args, out);
    } catch (const UsageError& e) {
        err << "cesetup: " << e.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        err << "cesetup: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace cesetup
