#include "tools/appmgr/Descriptor.h"

#include <stdexcept>
#include <system_error>

#include "platform/base/PathCase.h"
#include "tools/appmgr/FileOps.h"
#include "tools/appmgr/IniFile.h"

namespace appmgr {

Descriptor ParseDescriptor(std::string_view text) {
    IniFile ini;
    try {
        ini = IniFile::Parse(text);
    } catch (const IniError& e) {
        throw DescriptorError(e.what());
    }
    constexpr std::string_view kManager = "CEAppManager";
    if (!ini.Section(kManager)) {
        throw DescriptorError("it has no [CEAppManager] section");
    }
    Descriptor descriptor;
    descriptor.version = ini.Value(kManager, "Version").value_or("");
    if (!descriptor.version.empty() && !descriptor.version.starts_with("1.")) {
        throw DescriptorError("its format version is " + descriptor.version + ", not 1.x");
    }
    descriptor.component = ini.Value(kManager, "Component").value_or("");
    if (descriptor.component.empty()) {
        throw DescriptorError("[CEAppManager] names no Component");
    }
    if (!ini.Section(descriptor.component)) {
        throw DescriptorError("it has no section [" + descriptor.component + "] for its component");
    }
    descriptor.description = ini.Value(descriptor.component, "Description").value_or("");
    const auto cabFiles = ini.Value(descriptor.component, "CabFiles");
    if (!cabFiles || cabFiles->empty()) {
        throw DescriptorError("[" + descriptor.component + "] names no CabFiles");
    }
    descriptor.cabFiles = SplitFields(*cabFiles);
    for (const std::string& name : descriptor.cabFiles) {
        if (name.empty()) {
            throw DescriptorError("CabFiles holds an empty name");
        }
        // The cabinets lie beside the descriptor; a path could reach any file.
        if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
            throw DescriptorError("CabFiles names " + name + ", which is not a plain file name");
        }
    }
    return descriptor;
}

Descriptor LoadDescriptor(const std::filesystem::path& path) {
    std::string text;
    try {
        text = ReadSmallFile(path, kMaxDescriptorSize);
    } catch (const std::length_error&) {
        throw DescriptorError("it is too large for a descriptor");
    } catch (const std::system_error& e) {
        throw DescriptorError("it cannot be read: " + e.code().message());
    }
    return ParseDescriptor(text);
}

std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, std::string_view name) {
    return platform::ResolveCase((folder / std::string(name)).string());
}

}  // namespace appmgr
