#pragma once
// File access of the compiler, behind an interface so that tests can hand it scripts, headers
// and data files from memory.

#include <map>
#include <optional>
#include <string>

namespace rc {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole file, or nothing when it cannot be read.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
};

class RealFileSystem : public FileSystem {
public:
    std::optional<std::string> Read(const std::string& path) override;
};

class MemoryFileSystem : public FileSystem {
public:
    void Add(const std::string& path, std::string content) { m_files[path] = std::move(content); }
    std::optional<std::string> Read(const std::string& path) override;

private:
    std::map<std::string, std::string> m_files;
};

}  // namespace rc
