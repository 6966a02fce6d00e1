// The payload the build makes for jokesetup: WJ.INI and one cabinet per processor.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/tools/appmgr/AppMgrTestSupport.h"
#include "tools/appmgr/Cabinet.h"
#include "tools/appmgr/SetupInfo.h"
#include "tools/appmgr/cesetup/SetupDescription.h"

namespace {

using namespace appmgr_test;

const fs::path kPayload = JOKEPAD_PAYLOAD_DIR;
const fs::path kSource = JOKEPAD_PAYLOAD_SOURCE;
const fs::path kProgram = JOKEPAD_PAYLOAD_PROGRAM_FILE;
const fs::path kData = JOKEPAD_DATA_FILE;
const std::uint32_t kProcessors[] = {10003, 2577, 4000};

std::string CabinetName(std::uint32_t processor) {
    return "DIVER.PPC300_" + std::to_string(processor) + ".CAB";
}

appmgr::SetupInfo ExpectedSetup(std::uint32_t processor) {
    return cesetup::SetupFor(cesetup::ParseSetupDescription(ReadText(kSource / "Diver.inf")),
                             processor);
}

TEST(PayloadTest, DescriptorIsTheExact174Bytes) {
    const std::string expected =
        "[CEAppManager]\r\n"
        "Version        = 1.0\r\n"
        "Component  = WJ\r\n"
        "\r\n"
        "[WJ]\r\n"
        "Description   = Wendle Diver\r\n"
        "CabFiles = Diver.PPC300_4000.CAB,Diver.PPC300_2577.CAB,Diver.PPC300_10003.CAB\r\n"
        "\r\n";
    ASSERT_EQ(expected.size(), 174u);
    EXPECT_EQ(ReadText(kSource / "WJ.INI"), expected);
    EXPECT_EQ(ReadText(kPayload / "WJ.INI"), expected);
}

TEST(PayloadTest, CabextractListsEachCabinetsMembersWithTheBuildsSizes) {
    ASSERT_STRNE(JOKEPAD_CABEXTRACT, "") << "cabextract is missing; 'make deps' installs it";
    const std::regex line(R"(^\s*(\d+) \| [^|]+ \| (\S+)\s*$)");
    for (std::uint32_t processor : kProcessors) {
        SCOPED_TRACE(CabinetName(processor));
        const fs::path cabinet = kPayload / CabinetName(processor);
        const ProgramResult listed = RunProgram({JOKEPAD_CABEXTRACT, "-l", cabinet.string()});
        ASSERT_EQ(listed.status, 0) << listed.err;
        std::vector<std::pair<std::string, std::uintmax_t>> members;
        std::istringstream out(listed.out);
        for (std::string text; std::getline(out, text);) {
            std::smatch match;
            if (std::regex_match(text, match, line)) {
                members.emplace_back(match[2], std::stoull(match[1]));
            }
        }
        const std::vector<std::pair<std::string, std::uintmax_t>> expected = {
            {"JOKESP~1.000", appmgr::WriteSetupInfo(ExpectedSetup(processor)).size()},
            {"000000WJ.001", fs::file_size(kProgram)},
            {"000000wj.002", fs::file_size(kData)},
        };
        EXPECT_EQ(members, expected) << listed.out;

        // Another reader checks the data blocks and their checksums too.
        const ProgramResult tested = RunProgram({JOKEPAD_CABEXTRACT, "-t", cabinet.string()});
        EXPECT_EQ(tested.status, 0) << tested.out << tested.err;
    }
}

TEST(PayloadTest, EachCabinetCarriesTheSetupForItsProcessorAndTheBuildsFiles) {
    const Bytes program = ReadBytes(kProgram);
    const Bytes data = ReadBytes(kData);
    for (std::uint32_t processor : kProcessors) {
        SCOPED_TRACE(CabinetName(processor));
        const Bytes bytes = ReadBytes(kPayload / CabinetName(processor));
        ASSERT_GE(bytes.size(), 44u);
        EXPECT_EQ(bytes[24], 3);  // version 1.3
        EXPECT_EQ(bytes[25], 1);
        EXPECT_EQ(bytes[36 + 6], 0);  // the folder's data is stored

        const auto cabinet = appmgr::Cabinet::Parse(bytes);
        const auto* setup = cabinet.Find("JOKESP~1.000");
        const auto* exe = cabinet.Find("000000WJ.001");
        const auto* dat = cabinet.Find("000000wj.002");
        ASSERT_TRUE(setup && exe && dat);
        EXPECT_EQ(appmgr::ReadSetupInfo(cabinet.Content(*setup)), ExpectedSetup(processor));
        const auto exeBytes = cabinet.Content(*exe);
        const auto datBytes = cabinet.Content(*dat);
        EXPECT_TRUE(Bytes(exeBytes.begin(), exeBytes.end()) == program);
        EXPECT_TRUE(Bytes(datBytes.begin(), datBytes.end()) == data);
    }
}

TEST(PayloadTest, TheManagerInstallsTheBuiltPayloadOntoADevice) {
    TempFolder device;
    const ProgramResult result = RunProgram({JOKEPAD_APPMGR, (kPayload / "WJ.INI").string()},
                                            {"JOKEPAD_DEVICE=" + device.Path().string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "installed \\Program Files\\Wendle Diver\\WJ.exe (" +
                              std::to_string(fs::file_size(kProgram)) +
                              " bytes)\n"
                              "installed \\Program Files\\Wendle Diver\\wj.dat (" +
                              std::to_string(fs::file_size(kData)) +
                              " bytes)\n"
                              "installed \\Windows\\Start Menu\\Wendle Diver.lnk (39 bytes)\n");
    const fs::path folder = device / "Program Files" / "Wendle Diver";
    EXPECT_TRUE(ReadBytes(folder / "WJ.exe") == ReadBytes(kProgram));
    EXPECT_TRUE(ReadBytes(folder / "wj.dat") == ReadBytes(kData));
}

}  // namespace
