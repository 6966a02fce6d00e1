// The program itself, as a user runs it, with the payload and icon it carries.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "InstallerFixture.h"
#include "JokesetupResources.h"
#include "tests/platform/display/XvfbServer.h"

namespace {

const std::vector<std::string> kPayload = {
    "DIVER.PPC300_10003.CAB",
    "DIVER.PPC300_2577.CAB",
    "DIVER.PPC300_4000.CAB",
    "WJ.INI",
};

// The program's exit status and what it wrote on standard error. A program still running after
// a minute is ended (status 124).
std::pair<int, std::string> RunJokesetup(const std::string& errFile,
                                         const std::string& display = "") {
    const std::string command = (display.empty() ? "" : "DISPLAY=" + display + " ") +
                                "timeout 60 '" JOKEPAD_BIN_DIR "/jokesetup' 2>'" + errFile + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - status, scratch::ReadFile(errFile)};
}

TEST_F(InstallerTest, TheProgramTellsWhenTheManagerCannotStartAndEndsWithMinusOne) {
    SetInstalledDir(m_root / "nowhere");
    const auto [status, err] = RunJokesetup(m_log + "/stderr");
    EXPECT_EQ(status, 255);  // -1, as a shell shows it
    EXPECT_EQ(err, "Error: Unable to run CE Application Manager.\n");
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

TEST_F(InstallerTest, OnADesktopTheMessageIsAWindowAndTheFilesGoWhenItIsClosed) {
    if (const auto missing = XvfbServer::MissingForInput())
        GTEST_SKIP() << *missing;
    XvfbServer server;
    std::string error;
    ASSERT_TRUE(server.Start(&error)) << error;

    SetInstalledDir(m_root / "nowhere");
    auto run = std::async(std::launch::async,
                          [&] { return RunJokesetup(m_log + "/stderr", server.Display()); });
    // The box stands alone, titled Error, while the written files wait for it to close.
    const auto window = server.WaitForWindow("Error", &error);
    ASSERT_TRUE(window) << error;
    EXPECT_TRUE(scratch::Exists(DaFolder() + "WJ.INI"));
    // Enter chooses OK, the box's one button.
    std::string said;
    EXPECT_TRUE(server.Xdotool("windowfocus --sync " + *window + " key Return", &said)) << said;

    const auto [status, err] = run.get();
    EXPECT_EQ(status, 255);
    EXPECT_EQ(err, "");
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

TEST_F(InstallerTest, TheProgramHandsItsPayloadToTheManagerWhateverTheManagerDoes) {
    WriteManager("exit 1");
    const auto [status, err] = RunJokesetup(m_log + "/stderr");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err, "");
    const auto args = ManagerArgs();
    ASSERT_TRUE(args);
    EXPECT_EQ(*args, (std::vector<std::string>{ManagerPath(), DaFolder() + "WJ.INI"}));
    for (const auto& name : kPayload) {
        SCOPED_TRACE(name);
        const std::string built = scratch::ReadFile(JOKEPAD_PAYLOAD_DIR "/" + name);
        EXPECT_FALSE(built.empty());
        EXPECT_TRUE(Copied(name) == built)
            << "written " << Copied(name).size() << " bytes of " << built.size();
    }
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

TEST(JokesetupResources, ThePayloadInThePlatformsOrderAndTheIcon) {
    const ResourceModule& module = JokesetupResources();
    std::vector<std::string> names;
    for (const char* type : {"CABFiles", "INIFiles"})
        for (const ResourceId& name : module.Names(type))
            names.push_back(name.ToString());
    EXPECT_EQ(names, kPayload);

    // Icon 3000: a 32 x 32 and a 16 x 16 image of 16 colours.
    const ImageResource* icon = module.FindIcon(3000);
    ASSERT_NE(icon, nullptr);
    const auto bytes = icon->bytes.Span();
    ASSERT_GE(bytes.size(), 6u + 2 * 16);
    EXPECT_EQ(bytes[4], 2);  // images
    for (int i = 0; i < 2; ++i) {
        const auto* entry = bytes.data() + 6 + 16 * i;
        EXPECT_EQ(entry[0], i == 0 ? 32 : 16);  // width
        EXPECT_EQ(entry[1], i == 0 ? 32 : 16);  // height
        EXPECT_EQ(entry[2], 16);                // colours
    }
}

}  // namespace
