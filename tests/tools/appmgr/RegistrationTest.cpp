// Registering the manager's folder where jokesetup looks for it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/base/Registry.h"
#include "tests/tools/appmgr/AppMgrTestSupport.h"
#include "tools/appmgr/Registration.h"

namespace {

using namespace appmgr_test;

TEST(RegistrationTest, WritesTheFolderAsInstalledDirOfTheMachineHive) {
    TempFolder registry;
    platform::RegistryHive hive(platform::HiveId::LocalMachine, registry.Path());
    struct Case {
        fs::path given;
        std::string stored;
    };
    const Case cases[] = {
        {"/opt/jokepad/bin", "/opt/jokepad/bin"},
        {"/opt/jokepad/bin/", "/opt/jokepad/bin"},
        {"/opt/jokepad/lib/../bin", "/opt/jokepad/bin"},
        {"/opt/with blanks/bin", "/opt/with blanks/bin"},
        {"relative/bin", (fs::current_path() / "relative/bin").string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        ASSERT_TRUE(appmgr::RegisterAppManager(hive, c.given));
        const auto stored = hive.ReadString(appmgr::kServicesKey, appmgr::kInstalledDirValue);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->ToUtf8(), c.stored);
    }
    // The hive file as the registry stand-in keeps it.
    const std::string text = ReadText(registry / "system.reg");
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows CE Services]"),
              std::string::npos)
        << text;
}

TEST(RegistrationTest, CommandLine) {
    TempFolder registry;
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--help"}, 0, "usage: appmgr-register FOLDER"},
        {{}, 2, "appmgr-register: give the folder"},
        {{"a", "b"}, 2, "appmgr-register: give the folder"},
        {{"/srv/jokepad/bin"}, 0, "InstalledDir = /srv/jokepad/bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        ScopedEnv env("JOKEPAD_REGISTRY", registry.Path().string());
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(appmgr::RunRegister(c.args, out, err), c.status);
        EXPECT_NE((out.str() + err.str()).find(c.message), std::string::npos)
            << out.str() << err.str();
    }
    platform::RegistryHive hive(platform::HiveId::LocalMachine, registry.Path());
    EXPECT_EQ(hive.ReadString(appmgr::kServicesKey, appmgr::kInstalledDirValue)->ToUtf8(),
              "/srv/jokepad/bin");
}

}  // namespace
