// The program itself, as a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "InstallerFixture.h"

namespace {

// The program's exit status and what it wrote on standard error.
std::pair<int, std::string> RunJokesetup(const std::string& errFile) {
    const std::string command =
        std::string("'") + JOKEPAD_BIN_DIR "/jokesetup' 2>'" + errFile + "'";
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

TEST_F(InstallerTest, TheProgramEndsWithZeroWhenTheManagerFails) {
    WriteManager("exit 1");
    const auto [status, err] = RunJokesetup(m_log + "/stderr");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err, "");
    const auto args = ManagerArgs();
    ASSERT_TRUE(args);
    EXPECT_EQ(args->at(0), ManagerPath());
    EXPECT_FALSE(scratch::Exists(DaFolder()));
}

}  // namespace
