#pragma once
// The application manager's descriptor: section "CEAppManager" names the component, whose
// section gives its description and the cabinets, by file name, in the descriptor's folder:
//
//   [CEAppManager]
//   Version        = 1.0
//   Component  = WJ
//
//   [WJ]
//   Description   = Wendle Diver
//   CabFiles = Diver.PPC300_4000.CAB,Diver.PPC300_2577.CAB,Diver.PPC300_10003.CAB

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace appmgr {

class DescriptorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Descriptor {
    std::string version;  // of the descriptor's format; 1.x
    std::string component;
    std::string description;  // the application's name for the user
    std::vector<std::string> cabFiles;
};

// Throws DescriptorError saying what is missing or wrong.
Descriptor ParseDescriptor(std::string_view text);

// A descriptor is a few lines; a larger file is not one.
inline constexpr std::uintmax_t kMaxDescriptorSize = 64 * 1024;
Descriptor LoadDescriptor(const std::filesystem::path& path);

// The file a name from the descriptor stands for in folder: the name as written when it
// exists, else the entry whose name differs only in letter case.
std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, std::string_view name);

}  // namespace appmgr
