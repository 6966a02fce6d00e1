#pragma once
// A private registry folder for one test: JOKEPAD_REGISTRY points at a fresh temporary folder
// for the object's life and is restored afterwards, so tests never see each other's hives or
// the user's own.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/support/ScopedEnv.h"

// In a namespace of its own: the test program holds other helpers of the same names.
namespace registry_test {

using testsupport::ScopedEnv;

class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "jokepad-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

class TempRegistry {
public:
    TempRegistry() : m_env("JOKEPAD_REGISTRY", m_folder.Path().string()) {}
    const std::filesystem::path& Folder() const { return m_folder.Path(); }
    std::filesystem::path UserHive() const { return m_folder.Path() / "user.reg"; }
    std::filesystem::path MachineHive() const { return m_folder.Path() / "system.reg"; }

private:
    TempFolder m_folder;
    ScopedEnv m_env;
};

inline std::string ReadTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace registry_test
