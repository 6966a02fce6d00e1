// CEAppMgr.exe installing from real cabinets onto a temporary device, and refusing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/tools/appmgr/AppMgrTestSupport.h"
#include "tools/appmgr/AppInstaller.h"
#include "tools/appmgr/AppMgr.h"
#include "tools/appmgr/Device.h"
#include "tools/appmgr/SetupInfo.h"
#include "tools/appmgr/cesetup/SetupDescription.h"

namespace {

using namespace appmgr_test;

const fs::path kPayloadSource = JOKEPAD_PAYLOAD_SOURCE;
const std::uint32_t kProcessors[] = {10003, 2577, 4000};

Bytes Program(std::uint32_t processor, unsigned edition = 1) {
    return Pattern(40000 + processor % 997, processor * 10 + edition);
}
const Bytes& Data() {
    static const Bytes data = Pattern(9000, 7);
    return data;
}

Bytes SetupMember(std::uint32_t processor) {
    const auto description = cesetup::ParseSetupDescription(ReadText(kPayloadSource / "Diver.inf"));
    return appmgr::WriteSetupInfo(cesetup::SetupFor(description, processor));
}

Bytes DiverCabinet(std::uint32_t processor, unsigned edition = 1) {
    static std::map<std::pair<std::uint32_t, unsigned>, Bytes> made;
    auto& cabinet = made[{processor, edition}];
    if (cabinet.empty()) {
        cabinet = MakeCabinet({{"JOKESP~1.000", SetupMember(processor)},
                               {"000000WJ.001", Program(processor, edition)},
                               {"000000wj.002", Data()}});
    }
    return cabinet;
}

std::string CabinetName(std::uint32_t processor) {
    return "DIVER.PPC300_" + std::to_string(processor) + ".CAB";
}

// The installer's folder as jokesetup leaves it: WJ.INI and the three cabinets.
void WritePayload(const fs::path& folder, unsigned edition = 1) {
    fs::create_directories(folder);
    fs::copy_file(kPayloadSource / "WJ.INI", folder / "WJ.INI",
                  fs::copy_options::overwrite_existing);
    for (std::uint32_t processor : kProcessors) {
        WriteBytes(folder / CabinetName(processor), DiverCabinet(processor, edition));
    }
}

// Damages the StrongARM cabinet, the one the default device takes.
void Change2577(const fs::path& payload, void (*change)(Bytes&)) {
    Bytes cabinet = ReadBytes(payload / CabinetName(2577));
    change(cabinet);
    WriteBytes(payload / CabinetName(2577), cabinet);
}

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult RunAppMgr(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = appmgr::Run(args, out, err);
    return {status, out.str(), err.str()};
}

class InstallTest : public ::testing::Test {
protected:
    fs::path Payload() const { return m_temp / "payload"; }
    fs::path Device() const { return m_temp / "device"; }
    void SetUp() override { WritePayload(Payload()); }
    void SetDevice(const std::string& ini) {
        fs::create_directories(Device());
        WriteText(Device() / "device.ini", ini);
    }
    CliResult Install() { return RunAppMgr({(Payload() / "WJ.INI").string()}); }

    TempFolder m_temp;
    ScopedEnv m_device{"JOKEPAD_DEVICE", (m_temp / "device").string()};
};

const std::vector<std::string> kInstalledTree = {
    "Program Files/",
    "Program Files/Wendle Diver/",
    "Program Files/Wendle Diver/WJ.exe",
    "Program Files/Wendle Diver/wj.dat",
    "Windows/",
    "Windows/Start Menu/",
    "Windows/Start Menu/Wendle Diver.lnk",
    "device.ini",
};

TEST_F(InstallTest, InstallsTheCabinetForTheDevicesProcessor) {
    for (std::uint32_t processor : kProcessors) {
        SCOPED_TRACE(processor);
        fs::remove_all(Device());
        if (processor != 2577) {  // 2577 is the device a missing device.ini makes
            SetDevice("[Device]\nProcessor = " + std::to_string(processor) + "\n");
        }
        const CliResult result = Install();
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, "installed \\Program Files\\Wendle Diver\\WJ.exe (" +
                                  std::to_string(Program(processor).size()) +
                                  " bytes)\n"
                                  "installed \\Program Files\\Wendle Diver\\wj.dat (9000 bytes)\n"
                                  "installed \\Windows\\Start Menu\\Wendle Diver.lnk (39 bytes)\n");
        EXPECT_EQ(FilesBelow(Device()), kInstalledTree);

        const fs::path folder = Device() / "Program Files" / "Wendle Diver";
        EXPECT_EQ(ReadBytes(folder / "WJ.exe"), Program(processor));
        EXPECT_EQ(ReadBytes(folder / "wj.dat"), Data());
        EXPECT_EQ(ReadText(Device() / "Windows" / "Start Menu" / "Wendle Diver.lnk"),
                  "36#\"\\Program Files\\Wendle Diver\\WJ.exe\"");
        const auto exe = fs::status(folder / "WJ.exe").permissions();
        const auto dat = fs::status(folder / "wj.dat").permissions();
        EXPECT_NE(exe & fs::perms::owner_exec, fs::perms::none);
        EXPECT_EQ(dat & fs::perms::owner_exec, fs::perms::none);
    }
}

TEST_F(InstallTest, MakesTheDeviceWithItsDefaultsWhenItIsNew) {
    ASSERT_EQ(Install().status, 0);
    const auto config = appmgr::ParseDeviceConfig(ReadText(Device() / "device.ini"));
    EXPECT_EQ(config.processor, 2577u);
    EXPECT_EQ(config.version, (appmgr::CeVersion{3, 0}));
    EXPECT_EQ(config.build, 0u);
    EXPECT_EQ(config.platform, "PocketPC");
}

TEST_F(InstallTest, RefusesWithoutLeavingFilesBehind) {
    struct Case {
        const char* what;
        std::string device;  // device.ini; empty for the default device
        void (*damage)(const fs::path& payload);
        std::string reason;
    };
    const Case cases[] = {
        {"no cabinet for the processor", "[Device]\nProcessor = 1234\n", nullptr,
         "no cabinet is for the device's processor type 1234 (the cabinets are for 4000, 2577, "
         "10003)"},
        {"a later Windows CE", "[Device]\nVersion = 4.20\n", nullptr,
         "it needs Windows CE 3.0 to 3.0; the device runs 4.20 build 0"},
        {"an earlier Windows CE", "[Device]\nVersion = 2.11\n", nullptr,
         "it needs Windows CE 3.0 to 3.0; the device runs 2.11"},
        {"a refused platform", "[Device]\nPlatform = HPC\n", nullptr,
         "does not install on the device's platform, HPC"},
        {"a refused platform in other letters", "[Device]\nPlatform = jupiter\n", nullptr,
         "does not install on the device's platform, jupiter"},
        {"a truncated cabinet", "",
         [](const fs::path& p) { Change2577(p, [](Bytes& b) { b.resize(b.size() - 100); }); },
         "the cabinet Diver.PPC300_2577.CAB is damaged: its header gives a size"},
        {"a bad signature", "",
         [](const fs::path& p) { Change2577(p, [](Bytes& b) { b[1] = 'Z'; }); },
         "is damaged: it does not start with the cabinet signature MSCF"},
        {"a bad checksum", "",
         [](const fs::path& p) { Change2577(p, [](Bytes& b) { b[b.size() - 10] ^= 1; }); },
         "is damaged: the data block at byte"},
        {"a missing cabinet", "", [](const fs::path& p) { fs::remove(p / CabinetName(4000)); },
         "the cabinet Diver.PPC300_4000.CAB that the descriptor names is not in"},
        {"a cabinet without setup information", "",
         [](const fs::path& p) {
             WriteBytes(p / CabinetName(2577), MakeCabinet({{"000000WJ.001", Program(2577)}}));
         },
         "is damaged: it holds no setup information"},
        {"unreadable setup information", "",
         [](const fs::path& p) {
             WriteBytes(p / CabinetName(2577), MakeCabinet({{"JOKESP~1.000", Pattern(253, 9)},
                                                            {"000000WJ.001", Program(2577)}}));
         },
         "is damaged: its setup information JOKESP~1.000 is unreadable"},
        {"a cabinet without the program", "",
         [](const fs::path& p) {
             WriteBytes(p / CabinetName(2577), MakeCabinet({{"JOKESP~1.000", SetupMember(2577)},
                                                            {"000000wj.002", Data()}}));
         },
         "is damaged: it has no member ending in .001 for WJ.exe"},
        {"a descriptor without cabinets", "",
         [](const fs::path& p) {
             WriteText(p / "WJ.INI", "[CEAppManager]\nComponent = WJ\n[WJ]\n");
         },
         "WJ.INI: [WJ] names no CabFiles"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Device());
        fs::remove_all(Payload());
        WritePayload(Payload());
        if (!c.device.empty()) {
            SetDevice(c.device);
        }
        if (c.damage) {
            c.damage(Payload());
        }
        const CliResult result = Install();
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(result.err.starts_with("CEAppMgr.exe: ")) << result.err;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_EQ(FilesBelow(Device()), std::vector<std::string>{"device.ini"});
    }
}

TEST_F(InstallTest, AFailureHalfWayPutsBackWhatWasThere) {
    ASSERT_EQ(Install().status, 0);
    const fs::path folder = Device() / "Program Files" / "Wendle Diver";
    // The data file's place is taken by a folder, so the second file cannot go in.
    fs::remove(folder / "wj.dat");
    fs::create_directories(folder / "wj.dat");
    WriteText(folder / "wj.dat" / "keep", "mine");
    WritePayload(Payload(), 2);

    const CliResult result = Install();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("is a folder"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(folder / "WJ.exe"), Program(2577, 1));
    EXPECT_EQ(ReadText(folder / "wj.dat" / "keep"), "mine");
    EXPECT_EQ(FilesBelow(Device()),
              (std::vector<std::string>{
                  "Program Files/", "Program Files/Wendle Diver/",
                  "Program Files/Wendle Diver/WJ.exe", "Program Files/Wendle Diver/wj.dat/",
                  "Program Files/Wendle Diver/wj.dat/keep", "Windows/", "Windows/Start Menu/",
                  "Windows/Start Menu/Wendle Diver.lnk", "device.ini"}));
}

TEST_F(InstallTest, AFailureOnANewDeviceTakesBackTheFoldersItMade) {
    SetDevice("[Device]\n");
    WriteText(Device() / "Windows", "a file where the device has a folder");
    const CliResult result = Install();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("nothing was installed"), std::string::npos) << result.err;
    EXPECT_EQ(FilesBelow(Device()), (std::vector<std::string>{"Windows", "device.ini"}));
}

TEST_F(InstallTest, InstallingAgainReplacesTheFiles) {
    ASSERT_EQ(Install().status, 0);
    WritePayload(Payload(), 2);
    ASSERT_EQ(Install().status, 0);
    EXPECT_EQ(ReadBytes(Device() / "Program Files" / "Wendle Diver" / "WJ.exe"), Program(2577, 2));
    EXPECT_EQ(FilesBelow(Device()), kInstalledTree);
}

TEST_F(InstallTest, UsesTheDevicesFoldersWhateverTheirLetterCase) {
    fs::create_directories(Device() / "program files");
    fs::create_directories(Device() / "WINDOWS" / "start menu");
    ASSERT_EQ(Install().status, 0);
    EXPECT_TRUE(fs::is_regular_file(Device() / "program files" / "Wendle Diver" / "WJ.exe"));
    EXPECT_TRUE(fs::is_regular_file(Device() / "WINDOWS" / "start menu" / "Wendle Diver.lnk"));
    EXPECT_FALSE(fs::exists(Device() / "Program Files"));
}

TEST_F(InstallTest, CommandLine) {
    // A descriptor path with blanks that reaches the manager unquoted, as several words.
    const fs::path spaced = m_temp / "with  two blanks";
    WritePayload(spaced);
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        {{"--help"}, 0, "usage: CEAppMgr.exe DESCRIPTOR.INI", ""},
        {{"--version"}, 0, "CEAppMgr.exe 1.0.0", ""},
        {{}, 2, "", "CEAppMgr.exe: give the descriptor"},
        {{"--device", "x"}, 2, "", "CEAppMgr.exe: unknown option --device"},
        {{(m_temp / "none.ini").string()}, 1, "", "none.ini: it cannot be read"},
        {{(m_temp / "with").string(), "two", "blanks/WJ.INI"}, 1, "", "with two blanks/WJ.INI"},
        {{(m_temp / "with ").string(), "two", "blanks/WJ.INI"}, 0, "installed ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliResult result = RunAppMgr(c.args);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
    }
}

TEST(DeviceTest, ReadsItsRecordAndRefusesNonsense) {
    struct Case {
        const char* text;
        std::optional<appmgr::DeviceConfig> config;
        const char* reason;
    };
    const Case cases[] = {
        {"", appmgr::DeviceConfig{}, ""},
        {"[Device]\nProcessor=4000\nVersion=4.20\nBuild=1234\nPlatform=HPC\n",
         appmgr::DeviceConfig{4000, {4, 20}, 1234, "HPC"}, ""},
        {"[device]\r\nprocessor = 10003\r\n", appmgr::DeviceConfig{10003, {3, 0}, 0, "PocketPC"},
         ""},
        {"[Device]\nProcessor = arm\n", std::nullopt, "Processor = arm is not"},
        {"[Device]\nProcessor = -1\n", std::nullopt, "Processor = -1 is not"},
        {"[Device]\nVersion = 3\n", std::nullopt, "Version = 3 is not a version"},
        {"[Device]\nVersion = 3.x\n", std::nullopt, "Version = 3.x is not a version"},
        {"[Device]\nBuild = 99999999999\n", std::nullopt, "Build = 99999999999 is not"},
        {"Processor = 1\n", std::nullopt, "before the first section"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            const auto config = appmgr::ParseDeviceConfig(c.text);
            ASSERT_TRUE(c.config) << "accepted";
            EXPECT_EQ(config.processor, c.config->processor);
            EXPECT_EQ(config.version, c.config->version);
            EXPECT_EQ(config.build, c.config->build);
            EXPECT_EQ(config.platform, c.config->platform);
        } catch (const appmgr::DeviceError& e) {
            EXPECT_FALSE(c.config) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

TEST(DeviceTest, FolderComesFromTheEnvironment) {
    struct Case {
        std::optional<std::string> device, dataHome, home;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"/d", "/x", "/h", "/d"},
        {std::nullopt, "/x", "/h", "/x/jokepad/device"},
        {"", "/x", "/h", "/x/jokepad/device"},
        {std::nullopt, "relative", "/h", "/h/.local/share/jokepad/device"},
        {std::nullopt, std::nullopt, "/h", "/h/.local/share/jokepad/device"},
        {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        ScopedEnv device("JOKEPAD_DEVICE", c.device);
        ScopedEnv data("XDG_DATA_HOME", c.dataHome);
        ScopedEnv home("HOME", c.home);
        const auto folder = appmgr::Device::DefaultFolder();
        EXPECT_EQ(folder ? std::optional<std::string>(folder->string()) : std::nullopt, c.folder)
            << c.device.value_or("-") << " " << c.dataHome.value_or("-") << " "
            << c.home.value_or("-");
    }
}

TEST(DeviceTest, PathsStayInsideTheDevice) {
    TempFolder folder;
    const auto device = appmgr::Device::Open(folder / "device");
    for (const char* bad : {"..", ".", "", "a/b", "a\\b", "tab\there"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(device.HostPath({"Program Files", bad}), appmgr::DeviceError);
    }
    EXPECT_EQ(device.HostPath({"Program Files", "x"}), folder / "device" / "Program Files" / "x");
    EXPECT_EQ(appmgr::ShortcutText("\\Windows\\a b.exe"), "18#\"\\Windows\\a b.exe\"");
}

}  // namespace
