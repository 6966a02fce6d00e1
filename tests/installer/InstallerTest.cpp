#include "installer/CInstaller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "InstallerFixture.h"

namespace {

const std::string kCab1 = PayloadBytes(70001, 1);
const std::string kCab2 = PayloadBytes(65536, 2);
const std::string kCab3 = PayloadBytes(3, 3);
const std::string kIni = "[CEAppManager]\r\nVersion        = 1.0\r\nComponent  = WJ\r\n";

std::string Show(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines)
        text += "[" + l + "]";
    return text;
}

TEST_F(InstallerTest, WritesThePayloadStartsTheManagerWithTheDescriptorAndCleansUp) {
    // Given in another order and letter case than the platform enumerates and stores them.
    AddResource("CabFiles", "Diver.PPC300_4000.CAB", kCab3);
    AddResource("CABFILES", "diver.ppc300_10003.cab", kCab1);
    AddResource("cabfiles", "Diver.PPC300_2577.CAB", kCab2);
    AddResource("IniFiles", "wj.ini", kIni);

    EXPECT_EQ(Run(), 0);

    // The manager ran from a folder with blanks, with the descriptor's path (with blanks too).
    EXPECT_EQ(Show(ManagerArgs().value_or(std::vector<std::string>{"(did not run)"})),
              Show({ManagerPath(), DaFolder() + "WJ.INI"}));
    // Each file was written whole, byte for byte, under its upper-case resource name.
    EXPECT_TRUE(Copied("DIVER.PPC300_10003.CAB") == kCab1);
    EXPECT_TRUE(Copied("DIVER.PPC300_2577.CAB") == kCab2);
    EXPECT_TRUE(Copied("DIVER.PPC300_4000.CAB") == kCab3);
    EXPECT_EQ(Copied("WJ.INI"), kIni);
    // Cabinets in the platform's order, then the descriptor.
    EXPECT_EQ(Show(m_written),
              Show({DaFolder() + "DIVER.PPC300_10003.CAB", DaFolder() + "DIVER.PPC300_2577.CAB",
                    DaFolder() + "DIVER.PPC300_4000.CAB", DaFolder() + "WJ.INI"}));
    // Everything written is gone, the folder too; the temporary folder itself stays.
    EXPECT_FALSE(scratch::Exists(DaFolder()));
    EXPECT_TRUE(scratch::Exists(m_temp));
    EXPECT_TRUE(m_messages.shown.empty());
}

// A temporary folder that the platform gives with or without its trailing separator.
class TempPathAs : public FileSystem {
public:
    TempPathAs(FileSystem& real, std::string path) : m_real(real), m_path(std::move(path)) {}
    std::string GetTempPath(std::string*) override { return m_path; }
    BOOL CreateDirectory(const std::string& p) override { return m_real.CreateDirectory(p); }
    BOOL RemoveDirectory(const std::string& p) override { return m_real.RemoveDirectory(p); }
    std::unique_ptr<WritableFile> CreateFile(const std::string& p) override {
        return m_real.CreateFile(p);
    }
    BOOL DeleteFile(const std::string& p) override { return m_real.DeleteFile(p); }

protected:
    FileSystem& m_real;

private:
    std::string m_path;
};

TEST_F(InstallerTest, TheExtractionFolderIsDaUnderTheTemporaryFolder) {
    AddResource("INIFiles", "WJ.INI", kIni);
    for (const std::string& given : {m_temp, m_temp + "/"}) {
        SCOPED_TRACE("temporary path " + given);
        TempPathAs files(m_files, given);
        Desktop desktop{files, m_launcher, m_messages};
        EXPECT_EQ(Run(desktop), 0);
        EXPECT_EQ(m_folder, m_temp + "/DA/");
        EXPECT_EQ(m_iniPath, m_temp + "/DA/WJ.INI");
        EXPECT_EQ(Copied("WJ.INI"), kIni);
    }
}

TEST_F(InstallerTest, WithoutADescriptorTheManagerPathIsTheWholeCommandLine) {
    AddResource("CABFiles", "A.CAB", kCab3);
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(m_launcher.commandLines.size(), 1u);
    EXPECT_EQ(m_launcher.commandLines[0], "\"" + ManagerPath() + "\"");
    EXPECT_EQ(Show(ManagerArgs().value_or(std::vector<std::string>{})), Show({ManagerPath()}));
    EXPECT_EQ(Copied("A.CAB"), kCab3);
}

TEST_F(InstallerTest, OfTwoDescriptorsBothAreWrittenAndTheLaterIsPassed) {
    AddResource("INIFiles", "B.INI", "second");
    AddResource("INIFiles", "A.INI", "first");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Show(ManagerArgs().value_or(std::vector<std::string>{})),
              Show({ManagerPath(), DaFolder() + "B.INI"}));
    EXPECT_EQ(Copied("A.INI"), "first");
    EXPECT_EQ(Copied("B.INI"), "second");
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

TEST_F(InstallerTest, TheManagerPathComesFromTheRegistry) {
    struct Case {
        const char* what;
        std::optional<platform::RegistryValue> value;
        std::string expected;
    };
    const Case cases[] = {
        {"no trailing separator", CString(u"/opt/CE Services"), "/opt/CE Services/CEAppMgr.exe"},
        {"a trailing separator", CString(u"/opt/CE Services/"), "/opt/CE Services/CEAppMgr.exe"},
        {"the root", CString(u"/"), "/CEAppMgr.exe"},
        // A backslash is a file-name character here, not a separator.
        {"a trailing backslash", CString(u"/opt/ce\\"), "/opt/ce\\/CEAppMgr.exe"},
        {"a relative folder", CString(u"ce"), "ce/CEAppMgr.exe"},
        {"an empty value", CString(u""), "CEAppMgr.exe"},
        {"no value", std::nullopt, "CEAppMgr.exe"},
        {"a number", DWORD{10}, "CEAppMgr.exe"},
        {"a long folder", CString::FromUtf8("/" + std::string(1500, 'x')),
         "/" + std::string(1500, 'x') + "/CEAppMgr.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetInstalledDir(c.value);
        EXPECT_EQ(CInstaller::GetAppManagerPath(), c.expected);
    }
    scratch::ScopedEnv noRegistry("JOKEPAD_REGISTRY", m_root / "no registry here");
    EXPECT_EQ(CInstaller::GetAppManagerPath(), "CEAppMgr.exe");
}

using InstallerDeathTest = InstallerTest;

TEST_F(InstallerDeathTest, AMachineHiveTheUserCannotWriteStillGivesTheManager) {
    SetInstalledDir("/opt/CE Services");
    for (const std::string& dir : {m_root.Path(), m_root / "registry"})
        ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(::chmod((m_root / "registry/system.reg").c_str(), 0444), 0);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(65534) != 0)
                ::_exit(3);
            ::_exit(CInstaller::GetAppManagerPath() == "/opt/CE Services/CEAppMgr.exe" ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(InstallerTest, AManagerFoundInPathRunsWhenTheRegistryHasNoFolder) {
    SetInstalledDir(std::nullopt);
    scratch::ScopedEnv path("PATH", m_managerDir + ":/usr/bin:/bin");
    AddResource("INIFiles", "WJ.INI", kIni);
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(m_launcher.commandLines.size(), 1u);
    EXPECT_EQ(m_launcher.commandLines[0], "\"CEAppMgr.exe\" \"" + DaFolder() + "WJ.INI\"");
    // A script found in PATH sees its full path as its name.
    EXPECT_EQ(Show(ManagerArgs().value_or(std::vector<std::string>{})),
              Show({ManagerPath(), DaFolder() + "WJ.INI"}));
}

TEST_F(InstallerTest, ALongCommandLineIsPassedWhole) {
    // Far beyond the platform's 259 characters.
    const std::string deep = m_root / (std::string(120, 'm') + " " + std::string(120, 'n'));
    ASSERT_EQ(::mkdir(deep.c_str(), 0700), 0);
    SetInstalledDir(deep);
    WriteManager("exit 0", deep + "/CEAppMgr.exe");
    AddResource("INIFiles", std::string(200, 'D') + ".INI", kIni);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Show(ManagerArgs().value_or(std::vector<std::string>{})),
              Show({deep + "/CEAppMgr.exe", DaFolder() + std::string(200, 'D') + ".INI"}));
}

TEST_F(InstallerTest, FilesOfAnEarlierRunAreReplacedAndOthersKept) {
    ASSERT_EQ(::mkdir(DaFolder().c_str(), 0700), 0);
    scratch::WriteFile(DaFolder() + "WJ.INI", "an older descriptor, longer than the new one......");
    scratch::WriteFile(DaFolder() + "NOTES.TXT", "not ours");
    AddResource("INIFiles", "WJ.INI", kIni);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Copied("WJ.INI"), kIni);
    EXPECT_FALSE(scratch::Exists(DaFolder() + "WJ.INI"));
    EXPECT_EQ(scratch::ReadFile(DaFolder() + "NOTES.TXT"), "not ours");
}

TEST_F(InstallerTest, ALinkPlantedInTheFolderIsNotWrittenThrough) {
    ASSERT_EQ(::mkdir(DaFolder().c_str(), 0700), 0);
    const std::string victim = m_root / "victim";
    scratch::WriteFile(victim, "precious");
    ASSERT_EQ(::symlink(victim.c_str(), (DaFolder() + "WJ.INI").c_str()), 0);
    AddResource("INIFiles", "WJ.INI", kIni);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(scratch::ReadFile(victim), "precious");
    EXPECT_EQ(Copied("WJ.INI"), kIni);
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

TEST_F(InstallerTest, TheExitStatusIsZeroWhateverTheStartedManagerDoes) {
    AddResource("INIFiles", "WJ.INI", kIni);
    for (const char* ending :
         {"exit 1", "exit 259", "kill -KILL $$", "kill -TERM $$", "exec sleep 0"}) {
        SCOPED_TRACE(ending);
        WriteManager(ending);
        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(Copied("WJ.INI"), kIni);
        EXPECT_FALSE(scratch::Exists(DaFolder()));
        EXPECT_TRUE(m_messages.shown.empty());
    }
}

TEST_F(InstallerTest, AManagerThatCannotStartIsReportedAndTheFilesDeleted) {
    struct Case {
        const char* what;
        std::string installedDir;
        bool executable;
    };
    const std::string quoted = m_root / "CE \"Services\"";
    ASSERT_EQ(::mkdir(quoted.c_str(), 0700), 0);
    WriteManager("exit 0", quoted + "/CEAppMgr.exe");
    const Case cases[] = {
        {"no manager in its folder", m_root / "nowhere", true},
        {"a manager that is not a program", m_managerDir, false},
        // Such a path cannot be put on the command line without naming another program.
        {"a quote in the manager's path", quoted, true},
    };
    AddResource("CABFiles", "A.CAB", kCab3);
    AddResource("INIFiles", "WJ.INI", kIni);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetInstalledDir(c.installedDir);
        ::chmod(ManagerPath().c_str(), c.executable ? 0755 : 0644);
        m_messages.shown.clear();
        EXPECT_EQ(Run(), -1);
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, "Unable to run CE Application Manager.");
        EXPECT_EQ(m_messages.shown[0].caption, "Error");
        EXPECT_EQ(m_messages.shown[0].type, MB_ICONERROR | MB_OK);
        EXPECT_FALSE(ManagerArgs());
        EXPECT_FALSE(scratch::Exists(DaFolder()));
    }
}

TEST_F(InstallerTest, AFileThatCannotBeMadeStopsOnlyItsOwnType) {
    ASSERT_EQ(::mkdir(DaFolder().c_str(), 0700), 0);
    ASSERT_EQ(::mkdir((DaFolder() + "A.CAB").c_str(), 0700), 0);  // in the way
    AddResource("CABFiles", "A.CAB", kCab1);
    AddResource("CABFiles", "B.CAB", kCab2);
    AddResource("INIFiles", "WJ.INI", kIni);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Show(m_written), Show({DaFolder() + "A.CAB", DaFolder() + "WJ.INI"}));
    EXPECT_FALSE(WasCopied("B.CAB"));
    EXPECT_EQ(Copied("WJ.INI"), kIni);
    // What this run wrote is gone; the folder stays for what it did not write.
    EXPECT_FALSE(scratch::Exists(DaFolder() + "WJ.INI"));
    EXPECT_TRUE(scratch::Exists(DaFolder() + "A.CAB"));
}

// A disk that fills up after a given number of bytes.
class FillingFileSystem : public TempPathAs {
public:
    FillingFileSystem(FileSystem& real, std::string temp, std::size_t room)
        : TempPathAs(real, std::move(temp)), m_room(room) {}
    std::unique_ptr<WritableFile> CreateFile(const std::string& p) override {
        auto file = m_real.CreateFile(p);
        if (!file)
            return nullptr;
        return std::make_unique<Filling>(std::move(file), m_room);
    }

private:
    class Filling : public WritableFile {
    public:
        Filling(std::unique_ptr<WritableFile> real, std::size_t& room)
            : m_file(std::move(real)), m_room(room) {}
        BOOL Write(std::span<const BYTE> bytes) override {
            const std::size_t n = std::min(bytes.size(), m_room);
            m_room -= n;
            return m_file->Write(bytes.first(n)) && n == bytes.size();
        }
        BOOL Close() override { return m_file->Close(); }

    private:
        std::unique_ptr<WritableFile> m_file;
        std::size_t& m_room;
    };
    std::size_t m_room;
};

TEST_F(InstallerTest, ACabinetCutShortByAFullDiskIsNotHandedOn) {
    AddResource("CABFiles", "A.CAB", kCab3);
    AddResource("CABFiles", "B.CAB", kCab1);
    AddResource("CABFiles", "C.CAB", kCab3);
    AddResource("INIFiles", "WJ.INI", "x");
    FillingFileSystem files(m_files, m_temp + "/", kCab3.size() + 1000);
    Desktop desktop{files, m_launcher, m_messages};
    EXPECT_EQ(Run(desktop), 0);
    EXPECT_EQ(Copied("A.CAB"), kCab3);
    EXPECT_FALSE(WasCopied("B.CAB"));
    EXPECT_FALSE(WasCopied("C.CAB"));
    EXPECT_FALSE(WasCopied("WJ.INI"));  // the disk was full by then
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

TEST_F(InstallerTest, WithoutAPrivateTemporaryFolderNothingIsWrittenOrStarted) {
    const std::string shared = m_root / "shared";
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string own = shared + "/jokepad-" + std::to_string(::geteuid());
    ASSERT_EQ(::symlink(m_temp.c_str(), own.c_str()), 0);
    scratch::ScopedEnv tmpdir("TMPDIR", shared);
    AddResource("INIFiles", "WJ.INI", kIni);
    EXPECT_EQ(Run(), -1);
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_NE(m_messages.shown[0].text.find(own + " is a symbolic link"), std::string::npos)
        << m_messages.shown[0].text;
    EXPECT_EQ(m_messages.shown[0].caption, "Error");
    EXPECT_TRUE(m_launcher.commandLines.empty());
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

}  // namespace
