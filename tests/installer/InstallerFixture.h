#pragma once
// A run of the installer against the real file system and real processes, all inside a scratch
// folder: a private temporary folder and a manager folder (both with blanks in their paths), a
// machine hive of its own, and a manager stand-in, a shell script that records its arguments
// and copies what it was given before it ends as the test asks.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "installer/CInstaller.h"
#include "platform/base/Registry.h"
#include "tests/platform/desktop/Scratch.h"

// Records each command line, then starts it for real.
class RecordingLauncher : public ProcessLauncher {
public:
    std::unique_ptr<Process> CreateProcess(const std::string& commandLine,
                                           std::string* error) override {
        commandLines.push_back(commandLine);
        return m_real.CreateProcess(commandLine, error);
    }
    std::vector<std::string> commandLines;

private:
    RealProcessLauncher m_real;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT type;
};

class RecordingPresenter : public MessagePresenter {
public:
    int MessageBox(std::string_view text, std::string_view caption, UINT type) override {
        shown.push_back({std::string(text), std::string(caption), type});
        return IDOK;
    }
    std::vector<ShownMessage> shown;
};

// Bytes of every value, so that a text-mode or truncating copy shows.
inline std::string PayloadBytes(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<char>(x >> 16);
    }
    return bytes;
}

class InstallerTest : public ::testing::Test {
protected:
    InstallerTest()
        : m_temp(m_root / "user profile/Local Settings/Temp"),
          m_managerDir(m_root / "Program Files/CE Services"),
          m_log(m_root / "manager saw"),
          m_tmpdir("TMPDIR", m_temp),
          m_registry("JOKEPAD_REGISTRY", m_root / "registry"),
          m_noX11("DISPLAY", std::nullopt),
          m_noWayland("WAYLAND_DISPLAY", std::nullopt) {
        for (const std::string& dir :
             {m_root / "user profile", m_root / "user profile/Local Settings", m_temp,
              m_root / "Program Files", m_managerDir, m_log, m_log + "/copies"}) {
            EXPECT_EQ(::mkdir(dir.c_str(), 0700), 0) << dir;
        }
        SetInstalledDir(m_managerDir);
        WriteManager("exit 0");
    }

    std::string DaFolder() const { return m_temp + "/DA/"; }
    std::string ManagerPath() const { return m_managerDir + "/CEAppMgr.exe"; }

    void AddResource(const std::string& type, const std::string& name, const std::string& bytes) {
        m_module.raw.push_back(
            {type, name, ResourceBytes::Own(std::vector<BYTE>(bytes.begin(), bytes.end()))});
    }

    void SetInstalledDir(const std::optional<platform::RegistryValue>& value) {
        platform::RegistryHive hive(platform::HiveId::LocalMachine);
        if (value)
            ASSERT_TRUE(hive.WriteValue(u"Software\\Microsoft\\Windows CE Services",
                                        u"InstalledDir", *value));
        else
            hive.DeleteValue(u"Software\\Microsoft\\Windows CE Services", u"InstalledDir");
    }
    void SetInstalledDir(const std::string& value) {
        SetInstalledDir(platform::RegistryValue(CString::FromUtf8(value)));
    }

    // The manager records its arguments, copies the extraction folder, then runs ending.
    void WriteManager(const std::string& ending, const std::string& path = {}) {
        scratch::WriteScript(path.empty() ? ManagerPath() : path,
                             "for a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\"; done > '" + m_log +
                                 "/argv'\n"
                                 "cp '" +
                                 DaFolder() + "'* '" + m_log + "/copies/' 2>/dev/null\n" + ending);
    }

    // The manager's $0 and arguments, one a line; nothing when it did not run.
    std::optional<std::vector<std::string>> ManagerArgs() const {
        if (!scratch::Exists(m_log + "/argv"))
            return std::nullopt;
        std::vector<std::string> args;
        std::string text = scratch::ReadFile(m_log + "/argv"), line;
        for (char c : text) {
            if (c == '\n') {
                args.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        return args;
    }
    std::string Copied(const std::string& name) const {
        return scratch::ReadFile(m_log + "/copies/" + name);
    }
    bool WasCopied(const std::string& name) const {
        return scratch::Exists(m_log + "/copies/" + name);
    }

    int Run(Desktop& desktop) {
        CInstaller installer(desktop, &m_module);
        const int status = installer.Run();
        m_folder = installer.Folder();
        m_iniPath = installer.IniPath();
        m_written = installer.TempFiles().Paths();
        return status;
    }
    int Run() { return Run(m_desktop); }

    scratch::Folder m_root;
    std::string m_temp;
    std::string m_managerDir;
    std::string m_log;
    scratch::ScopedEnv m_tmpdir;
    scratch::ScopedEnv m_registry;
    // The program's message boxes go to standard error, never to a window on the desktop of
    // whoever runs the tests; a test that wants the window names its own display.
    scratch::ScopedEnv m_noX11;
    scratch::ScopedEnv m_noWayland;
    ResourceModule m_module;

    RealFileSystem m_files;
    RecordingLauncher m_launcher;
    RecordingPresenter m_messages;
    Desktop m_desktop{m_files, m_launcher, m_messages};

    // What the last run left in its state.
    std::string m_folder;
    std::string m_iniPath;
    std::vector<std::string> m_written;
};
