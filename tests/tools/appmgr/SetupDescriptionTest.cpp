// The setup description and cesetup, which turn Diver.inf into each cabinet's setup
// information.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/tools/appmgr/AppMgrTestSupport.h"
#include "tools/appmgr/SetupInfo.h"
#include "tools/appmgr/cesetup/CeSetup.h"
#include "tools/appmgr/cesetup/SetupDescription.h"

namespace {

using namespace appmgr_test;
using appmgr::SetupInfo;
using appmgr::ShortcutKind;
using cesetup::ParseSetupDescription;
using cesetup::SetupDescriptionError;

const fs::path kDiverInf = fs::path(JOKEPAD_PAYLOAD_SOURCE) / "Diver.inf";

TEST(SetupDescriptionTest, DiverInfHoldsTheSetupOfEachProcessor) {
    const auto description = ParseSetupDescription(ReadText(kDiverInf));
    const std::vector<std::pair<std::string, std::uint32_t>> processors = {
        {"SH3", 10003}, {"StrongARM", 2577}, {"MIPS", 4000}};
    EXPECT_EQ(description.processors, processors);

    for (const auto& [name, type] : processors) {
        SCOPED_TRACE(name);
        SetupInfo expected;
        expected.appName = "Diver";
        expected.provider = "Wendle";
        expected.processor = type;
        expected.versionMin = {3, 0};
        expected.versionMax = {3, 0};
        expected.buildMin = 0;
        expected.buildMax = 0;
        expected.unsupportedPlatforms = {"HPC", "JUPITER"};
        expected.directories = {{1, {"Diver"}}, {2, {"%CE17%"}}};
        expected.files = {{1, 1, 0x40000002, "WJ.exe"}, {2, 1, 0x40000002, "wj.dat"}};
        expected.shortcuts = {{1, 17, ShortcutKind::File, 1, {"Wendle Diver"}}};
        EXPECT_EQ(cesetup::SetupFor(description, type), expected);
    }
    EXPECT_THROW(cesetup::SetupFor(description, 2578), SetupDescriptionError);
}

const char* const kMinimal =
    "[Version]\nProvider = \"P\"\n[CEStrings]\nAppName = \"A\"\n"
    "[CEDevice]\nVersionMin = 3.0\nVersionMax = 0.0\nBuildMin = 0\nBuildMax = 0\n"
    "[CEDevice.X]\nProcessorType = 2577\n"
    "[DefaultInstall]\nCopyFiles = Files\nCEShortcuts = Links\n"
    "[DestinationDirs]\nFiles = 0, A\\Sub\nLinks = 0, %CE11%\\Games\n"
    "[Files]\n\"a.exe\", 1, 0\n"
    "[Links]\n\"A\", 1, \"a.exe\"\n\"Its folder\", 0, Files\n";

TEST(SetupDescriptionTest, PlacesShortcutsBelowTheirFolder) {
    const auto setup = cesetup::SetupFor(ParseSetupDescription(kMinimal), 2577);
    ASSERT_EQ(setup.shortcuts.size(), 2u);
    EXPECT_EQ(setup.shortcuts[0],
              (appmgr::SetupShortcut{1, 11, ShortcutKind::File, 1, {"Games", "A"}}));
    EXPECT_EQ(setup.shortcuts[1],
              (appmgr::SetupShortcut{2, 11, ShortcutKind::Folder, 1, {"Games", "Its folder"}}));
    EXPECT_EQ(setup.directories[0].path, (std::vector<std::string>{"A", "Sub"}));
    EXPECT_TRUE(setup.unsupportedPlatforms.empty());
}

TEST(SetupDescriptionTest, RefusesDescriptionsThatDoNotHoldASetup) {
    struct Case {
        const char* what;
        std::string from;
        std::string to;
        const char* reason;
    };
    const Case cases[] = {
        {"no provider", "Provider = \"P\"", "", "[Version] has no Provider"},
        {"another install folder", "AppName = \"A\"\n",
         "AppName = \"A\"\nInstallDir = %CE1%\\Elsewhere\n", "InstallDir is %CE1%\\Elsewhere"},
        {"version not a version", "VersionMin = 3.0", "VersionMin = 3", "not a version"},
        {"highest below lowest", "VersionMax = 0.0", "VersionMax = 2.0", "VersionMax is below"},
        {"no processor", "[CEDevice.X]\nProcessorType = 2577\n", "", "no [CEDevice.<processor>]"},
        {"file line short of a field", "\"a.exe\", 1, 0", "\"a.exe\", 1", "line 19: a file is"},
        {"file number not a number", "\"a.exe\", 1, 0", "\"a.exe\", one, 0",
         "line 19: the file number is not a number"},
        {"list without a folder", "Files = 0, A\\Sub\n", "", "gives no folder for [Files]"},
        {"folder not from the root", "Files = 0, A\\Sub", "Files = 1, A\\Sub",
         "a destination is <section> = 0, <folder>"},
        {"list section missing", "CopyFiles = Files", "CopyFiles = Gone", "[Gone]"},
        {"shortcut to an unknown file", "\"A\", 1, \"a.exe\"", "\"A\", 1, \"b.exe\"",
         "no file is named b.exe"},
        {"shortcut of a third kind", "\"A\", 1, \"a.exe\"", "\"A\", 2, \"a.exe\"",
         "must be 1 (a file) or 0 (a folder)"},
        {"an unclosed section", "[Links]", "[Links", "a section name without"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = kMinimal;
        const auto at = text.find(c.from);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, c.from.size(), c.to);
        try {
            ParseSetupDescription(text);
            ADD_FAILURE() << "accepted";
        } catch (const SetupDescriptionError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult RunCeSetup(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cesetup::Run(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(CeSetupTest, WritesTheMemberForTheProcessorAsked) {
    TempFolder folder;
    const fs::path member = folder / "JOKESP~1.000";
    const auto written = RunCeSetup({"--processor", "4000", kDiverInf.string(), member.string()});
    ASSERT_EQ(written.status, 0) << written.err;
    const SetupInfo read = appmgr::ReadSetupInfo(ReadBytes(member));
    EXPECT_EQ(read, cesetup::SetupFor(ParseSetupDescription(ReadText(kDiverInf)), 4000));

    const auto shown = RunCeSetup({"--show", member.string()});
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.out.find("processor: 4000\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("shortcut 1: Wendle Diver in %CE17% to file 1"), std::string::npos);
}

TEST(CeSetupTest, ReportsUsageAndFailuresByExitStatus) {
    TempFolder folder;
    WriteText(folder / "bad.inf", "[Version]\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{}, 2, "cesetup: wrong number of operands"},
        {{kDiverInf.string(), (folder / "x").string()}, 2, "give --processor"},
        {{"--processor", "arm", kDiverInf.string(), (folder / "x").string()}, 2, "not a number"},
        {{"--frobnicate"}, 2, "unknown option --frobnicate"},
        {{"--processor", "1", kDiverInf.string(), (folder / "x").string()},
         1,
         "lists no processor type 1"},
        {{(folder / "bad.inf").string(), (folder / "x").string()}, 1, "bad.inf: [Version] has no"},
        {{(folder / "missing.inf").string(), (folder / "x").string()}, 1, "cesetup: cannot open"},
        {{"--show", (folder / "bad.inf").string()}, 1, "signature MSCE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const auto result = RunCeSetup(c.args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(folder / "x"));
}

}  // namespace
