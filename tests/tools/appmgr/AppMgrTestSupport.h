#pragma once
// What the manager's tests share: a private folder, whole files, cabinets made by gcab, and
// programs run as child processes with their output caught.

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/ScopedEnv.h"

extern char** environ;

namespace appmgr_test {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "jokepad-appmgr-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& Path() const { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

inline Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    Bytes bytes(in ? static_cast<std::size_t>(fs::file_size(path)) : 0);
    if (!in || !in.read(reinterpret_cast<char*>(bytes.data()),
                        static_cast<std::streamsize>(bytes.size()))) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return bytes;
}

inline std::string ReadText(const fs::path& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

inline void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

inline void WriteText(const fs::path& path, const std::string& text) {
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

// Bytes that differ from one seed to the next, so a file put in the wrong place shows.
inline Bytes Pattern(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

using testsupport::ScopedEnv;

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs argv[0] (a path) with extra environment entries ("NAME=value"), without a shell.
inline ProgramResult RunProgram(const std::vector<std::string>& argv,
                                const std::vector<std::string>& extraEnv = {}) {
    TempFolder outputs;
    const fs::path outPath = outputs / "out";
    const fs::path errPath = outputs / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);

    std::vector<std::string> env = extraEnv;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto name = entry.substr(0, entry.find('=') + 1);
        bool overridden = false;
        for (const auto& extra : extraEnv) {
            overridden = overridden || extra.starts_with(name);
        }
        if (!overridden) {
            env.push_back(entry);
        }
    }
    std::vector<char*> args;
    for (const auto& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    ProgramResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadText(outPath);
    result.err = ReadText(errPath);
    return result;
}

struct Member {
    std::string name;
    Bytes bytes;
};

// A cabinet made by gcab (stored, one volume) from the members, in their order.
inline Bytes MakeCabinet(const std::vector<Member>& members) {
    TempFolder work;
    std::vector<std::string> argv = {JOKEPAD_GCAB, "--create", "--nopath",
                                     (work / "made.cab").string()};
    for (const Member& member : members) {
        WriteBytes(work / member.name, member.bytes);
        argv.push_back((work / member.name).string());
    }
    const ProgramResult made = RunProgram(argv);
    if (made.status != 0) {
        throw std::runtime_error("gcab failed: " + made.err);
    }
    return ReadBytes(work / "made.cab");
}

// The files below folder, as paths relative to it, sorted.
inline std::vector<std::string> FilesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        files.push_back(fs::relative(entry.path(), folder).string() +
                        (entry.is_directory() ? "/" : ""));
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace appmgr_test
