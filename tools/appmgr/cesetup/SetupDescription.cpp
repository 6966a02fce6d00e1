#include "tools/appmgr/cesetup/SetupDescription.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "tools/appmgr/IniFile.h"
#include "tools/appmgr/TextCase.h"

namespace cesetup {
namespace {

using appmgr::CeVersion;
using appmgr::EqualsIgnoringCase;
using appmgr::IniFile;
using appmgr::IniSection;

[[noreturn]] void Refuse(const std::string& why) {
    throw SetupDescriptionError(why);
}

std::string At(int line) {
    return "line " + std::to_string(line) + ": ";
}

std::uint32_t Number(std::string_view text, const std::string& what) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        Refuse(what + " is not a number");
    }
    return value;
}

std::uint16_t SmallNumber(std::string_view text, const std::string& what) {
    const std::uint32_t value = Number(text, what);
    if (value > 0xFFFF) {
        Refuse(what + " is too large");
    }
    return static_cast<std::uint16_t>(value);
}

CeVersion Version(const std::string& text, const std::string& what) {
    const auto dot = text.find('.');
    if (dot == std::string::npos) {
        Refuse(what + " = " + text + " is not a version such as 3.0");
    }
    return {Number(std::string_view(text).substr(0, dot), what),
            Number(std::string_view(text).substr(dot + 1), what)};
}

std::string Single(const IniFile& ini, std::string_view section, std::string_view key,
                   bool required) {
    const auto value = ini.Value(section, key);
    if (!value || value->empty()) {
        if (required) {
            Refuse("[" + std::string(section) + "] has no " + std::string(key));
        }
        return {};
    }
    const auto fields = appmgr::SplitFields(*value);
    if (fields.size() != 1 || fields[0].empty()) {
        Refuse("[" + std::string(section) + "] " + std::string(key) + " must be one value");
    }
    return fields[0];
}

std::vector<std::string> PathComponents(std::string_view path) {
    std::vector<std::string> components;
    for (;;) {
        const auto slash = path.find('\\');
        const auto part = appmgr::TrimBlanks(path.substr(0, slash));
        if (!part.empty()) {
            components.emplace_back(part);
        }
        if (slash == std::string_view::npos) {
            return components;
        }
        path.remove_prefix(slash + 1);
    }
}

std::optional<std::uint16_t> StandardFolder(const std::string& component) {
    if (component.size() < 5 || component.front() != '%' || component.back() != '%' ||
        !EqualsIgnoringCase(component.substr(1, 2), "CE")) {
        return std::nullopt;
    }
    return SmallNumber(std::string_view(component).substr(3, component.size() - 4),
                       "the standard folder " + component);
}

const IniSection& ListSection(const IniFile& ini, const std::string& name) {
    const IniSection* section = ini.Section(name);
    if (!section) {
        Refuse("[DefaultInstall] names the section [" + name + "], which is not there");
    }
    return *section;
}

}  // namespace

SetupDescription ParseSetupDescription(std::string_view text) {
    IniFile ini;
    try {
        ini = IniFile::Parse(text);
    } catch (const appmgr::IniError& e) {
        Refuse(e.what());
    }
    SetupDescription description;
    appmgr::SetupInfo& setup = description.setup;
    setup.provider = Single(ini, "Version", "Provider", true);
    setup.appName = Single(ini, "CEStrings", "AppName", true);
    const std::string installDir = Single(ini, "CEStrings", "InstallDir", false);
    const std::string offered = "%CE1%\\" + setup.provider + " " + setup.appName;
    if (!installDir.empty() && !EqualsIgnoringCase(installDir, offered)) {
        Refuse("InstallDir is " + installDir + ", but the device installer installs into " +
               offered);
    }

    setup.versionMin = Version(Single(ini, "CEDevice", "VersionMin", true), "VersionMin");
    setup.versionMax = Version(Single(ini, "CEDevice", "VersionMax", true), "VersionMax");
    if (setup.versionMax != CeVersion{} && setup.versionMax < setup.versionMin) {
        Refuse("VersionMax is below VersionMin");
    }
    setup.buildMin = Number(Single(ini, "CEDevice", "BuildMin", true), "BuildMin");
    setup.buildMax = Number(Single(ini, "CEDevice", "BuildMax", true), "BuildMax");
    if (const auto platforms = ini.Value("CEDevice", "UnsupportedPlatforms")) {
        setup.unsupportedPlatforms = appmgr::SplitFields(*platforms);
    }

    for (const IniSection& section : ini.Sections()) {
        constexpr std::string_view kPrefix = "CEDevice.";
        if (section.name.size() > kPrefix.size() &&
            EqualsIgnoringCase(std::string_view(section.name).substr(0, kPrefix.size()), kPrefix)) {
            const std::string type = Single(ini, section.name, "ProcessorType", true);
            description.processors.emplace_back(section.name.substr(kPrefix.size()),
                                                Number(type, "ProcessorType of " + section.name));
        }
    }
    if (description.processors.empty()) {
        Refuse("no [CEDevice.<processor>] section gives a ProcessorType");
    }

    // Each list section's folder becomes a directory, in the order [DestinationDirs] gives.
    const IniSection* destinations = ini.Section("DestinationDirs");
    if (!destinations) {
        Refuse("there is no [DestinationDirs] section");
    }
    std::map<std::string, std::uint16_t> directoryOf;  // list section, lower case
    for (const auto& entry : destinations->entries) {
        const auto fields = appmgr::SplitFields(entry.value);
        if (entry.key.empty() || fields.size() != 2 || fields[0] != "0") {
            Refuse(At(entry.line) + "a destination is <section> = 0, <folder>");
        }
        auto path = PathComponents(fields[1]);
        if (path.empty()) {
            Refuse(At(entry.line) + "the folder is empty");
        }
        const auto id = static_cast<std::uint16_t>(setup.directories.size() + 1);
        if (!directoryOf.emplace(appmgr::ToLowerAscii(entry.key), id).second) {
            Refuse(At(entry.line) + entry.key + " is given twice");
        }
        setup.directories.push_back({id, std::move(path)});
    }
    auto directoryFor = [&](const std::string& section) {
        const auto it = directoryOf.find(appmgr::ToLowerAscii(section));
        if (it == directoryOf.end()) {
            Refuse("[DestinationDirs] gives no folder for [" + section + "]");
        }
        return it->second;
    };

    for (const std::string& name :
         appmgr::SplitFields(ini.Value("DefaultInstall", "CopyFiles").value_or(""))) {
        const std::uint16_t directory = directoryFor(name);
        for (const auto& entry : ListSection(ini, name).entries) {
            const auto fields = appmgr::SplitFields(entry.value);
            if (!entry.key.empty() || fields.size() != 3) {
                Refuse(At(entry.line) + "a file is \"device name\", file number, copy flags");
            }
            const std::string where = At(entry.line);
            setup.files.push_back({SmallNumber(fields[1], where + "the file number"), directory,
                                   Number(fields[2], where + "the copy flags"), fields[0]});
        }
    }
    if (setup.files.empty()) {
        Refuse("[DefaultInstall] CopyFiles lists no files");
    }

    for (const std::string& name :
         appmgr::SplitFields(ini.Value("DefaultInstall", "CEShortcuts").value_or(""))) {
        const std::vector<std::string> folder = setup.Directory(directoryFor(name))->path;
        for (const auto& entry : ListSection(ini, name).entries) {
            const auto fields = appmgr::SplitFields(entry.value);
            if (!entry.key.empty() || fields.size() != 3 || fields[0].empty()) {
                Refuse(At(entry.line) + "a shortcut is \"name\", 1 or 0, target");
            }
            appmgr::SetupShortcut shortcut;
            shortcut.id = static_cast<std::uint16_t>(setup.shortcuts.size() + 1);
            if (const auto base = StandardFolder(folder.front())) {
                shortcut.baseFolder = *base;
            }
            // Below a standard folder, or below the installation folder, which the first
            // component of an application folder stands for.
            shortcut.path.assign(folder.begin() + 1, folder.end());
            shortcut.path.push_back(fields[0]);
            if (fields[1] == "1") {
                shortcut.kind = appmgr::ShortcutKind::File;
                const auto file = std::find_if(setup.files.begin(), setup.files.end(),
                                               [&](const auto& f) { return f.name == fields[2]; });
                if (file == setup.files.end()) {
                    Refuse(At(entry.line) + "no file is named " + fields[2]);
                }
                shortcut.target = file->id;
            } else if (fields[1] == "0") {
                shortcut.kind = appmgr::ShortcutKind::Folder;
                shortcut.target = directoryFor(fields[2]);
            } else {
                Refuse(At(entry.line) + "the shortcut's kind must be 1 (a file) or 0 (a folder)");
            }
            setup.shortcuts.push_back(std::move(shortcut));
        }
    }
    return description;
}

appmgr::SetupInfo SetupFor(const SetupDescription& description, std::uint32_t processor) {
    const bool listed = std::any_of(description.processors.begin(), description.processors.end(),
                                    [&](const auto& p) { return p.second == processor; });
    if (!listed) {
        Refuse("the description lists no processor type " + std::to_string(processor));
    }
    appmgr::SetupInfo setup = description.setup;
    setup.processor = processor;
    return setup;
}

}  // namespace cesetup
