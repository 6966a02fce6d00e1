#pragma once
// The reader as its tests run it: the built program in a folder of its own, beside a jokes
// data file of the test's jokes and with a registry of its own, driven by a script on standard
// input (ReaderFolder); or the same program's windows inside the test process, where a test
// must look at the windows or change a setting between two taps (InProcessReader).

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace readertest {

namespace fs = std::filesystem;

inline std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A folder of the test's own, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "jokepad-reader-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

struct ChildResult {
    int status = -1;  // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs program with args, standard input from input, in folder; environment overrides are
// set (an empty value removes the variable). Waits for it to end.
inline ChildResult RunChild(const fs::path& program, const std::vector<std::string>& args,
                            const std::string& input, const fs::path& folder,
                            const std::map<std::string, std::string>& environment) {
    const fs::path in = folder / "child.in", out = folder / "child.out", err = folder / "child.err";
    WriteText(in, input);
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        if (environment.count(name) == 0)
            env.push_back(entry);
    }
    for (const auto& [name, value] : environment) {
        if (!value.empty())
            env.push_back(name + "=" + value);
    }
    std::vector<std::string> argStrings{program.string()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ChildResult result;
    if (spawned != 0) {
        result.err = "cannot start " + program.string();
        return result;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

// The jokes as a fortune-form text, packed by jokepack into a jokes data file.
inline void MakeJokesFile(const fs::path& dat, const std::vector<std::string>& jokes,
                          const fs::path& scratch) {
    std::string text;
    for (const std::string& joke : jokes)
        text += joke + "\n%\n";
    const fs::path source = scratch / "jokes.txt";
    WriteText(source, text);
    const ChildResult packed = RunChild(fs::path(JOKEPAD_BIN_DIR) / "jokepack",
                                        {"pack", source.string(), dat.string()}, "", scratch, {});
    ASSERT_EQ(packed.status, 0) << packed.err;
}

// The lines of the last state the program printed, by label ("counter" -> "2/3").
inline std::map<std::string, std::string> LastState(const std::string& out) {
    const std::size_t start = out.rfind("window: ");
    std::map<std::string, std::string> state;
    if (start == std::string::npos)
        return state;
    std::istringstream lines(out.substr(start));
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos)
            state[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return state;
}

inline int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The built reader in a folder of its own, under the name it is given, with the test's jokes
// beside it and a registry of its own. company is the edition's settings company key.
class ReaderFolder {
public:
    explicit ReaderFolder(const std::vector<std::string>& jokes,
                          const std::string& program = "jokepad",
                          const std::string& company = "Parlonda")
        : m_program(program), m_company(company) {
        fs::copy_file(fs::path(JOKEPAD_BIN_DIR) / program, Program());
        MakeJokesFile(DataFile(), jokes, m_folder.Path());
    }
    fs::path Program() const { return m_folder.Path() / m_program; }
    // The program's name: its file name without a trailing ".exe".
    std::string Name() const {
        return m_program.ends_with(".exe") ? m_program.substr(0, m_program.size() - 4) : m_program;
    }
    fs::path DataFile() const { return m_folder.Path() / (Name() + ".dat"); }
    fs::path Registry() const { return m_folder.Path() / "registry"; }
    const fs::path& Path() const { return m_folder.Path(); }

    ChildResult Run(const std::string& script,
                    std::vector<std::string> args = {"--headless", "--script", "-"},
                    std::map<std::string, std::string> environment = {}) const {
        environment.emplace("JOKEPAD_REGISTRY", Registry().string());
        environment.emplace("DISPLAY", "");
        environment.emplace("WAYLAND_DISPLAY", "");
        return RunChild(Program(), args, script, m_folder.Path(), environment);
    }

    // The settings key of the program: the company key, then the program's name.
    std::string SetKey() const {
        return "[HKEY_CURRENT_USER\\Software\\" + m_company + "\\" + Name() + "\\Set]";
    }

    // LastJokeIndex as stored, or nothing when it is not.
    std::optional<long long> StoredIndex() const {
        const std::string hive = ReadText(Registry() / "user.reg");
        const std::size_t section = hive.find(SetKey());
        if (section == std::string::npos)
            return std::nullopt;
        const std::size_t end = hive.find("\n[", section + 1);
        const std::string body =
            hive.substr(section, end == std::string::npos ? end : end - section);
        const std::string name = "\"LastJokeIndex\"=dword:";
        const std::size_t value = body.find(name);
        if (value == std::string::npos)
            return std::nullopt;
        return std::stoll(body.substr(value + name.size(), 8), nullptr, 16);
    }
    // Stores LastJokeIndex as a 32-bit value before the program runs.
    void StoreIndex(std::uint32_t value) const {
        fs::create_directories(Registry());
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08x", value);
        WriteText(Registry() / "user.reg",
                  "REGEDIT4\n\n" + SetKey() + "\n\"LastJokeIndex\"=dword:" + hex + "\n");
    }

private:
    TempFolder m_folder;
    std::string m_program;
    std::string m_company;
};

}  // namespace readertest
