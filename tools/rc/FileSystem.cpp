#include "tools/rc/FileSystem.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace rc {

std::optional<std::string> RealFileSystem::Read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return std::move(content).str();
}

std::optional<std::string> MemoryFileSystem::Read(const std::string& path) {
    const auto it = m_files.find(path);
    if (it == m_files.end())
        return std::nullopt;
    return it->second;
}

}  // namespace rc
