#include "platform/desktop/RegistryKeys.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Scratch.h"
#include "platform/base/Registry.h"

namespace {

constexpr char kServices[] = "Software\\Microsoft\\Windows CE Services";

class RegistryKeys : public ::testing::Test {
protected:
    RegistryKeys() : m_env("JOKEPAD_REGISTRY", m_folder.Path()) {}

    void Write(const std::u16string& name, const platform::RegistryValue& value) {
        platform::RegistryHive hive(platform::HiveId::LocalMachine);
        ASSERT_TRUE(hive.WriteValue(u"Software\\Microsoft\\Windows CE Services", name, value));
    }

    scratch::Folder m_folder;
    scratch::ScopedEnv m_env;
};

TEST_F(RegistryKeys, OpensOnlyExistingKeys) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kServices, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    Write(u"InstalledDir", CString(u"/opt/ce"));
    // Key names ignore letter case; a key may be opened below an open one.
    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\microsoft", 0, KEY_READ, &software),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyEx(software, "Windows CE Services", 0, KEY_READ, &key), ERROR_SUCCESS);
    HKEY user = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kServices, 0, KEY_READ, &user), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(software), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryKeys, QueriesStringsAndNumbersWithTheirSizes) {
    Write(u"InstalledDir", CString(u"/opt/CE Services/"));
    Write(u"Count", DWORD{0x0A0B0C0D});
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kServices, 0, KEY_READ, &key), ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueEx(key, "installeddir", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    const std::string expected = "/opt/CE Services/";
    ASSERT_EQ(size, expected.size() + 1);

    std::vector<BYTE> small(4, 0xEE);
    DWORD smallSize = 4;
    EXPECT_EQ(RegQueryValueEx(key, "InstalledDir", nullptr, &type, small.data(), &smallSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(smallSize, size);

    std::vector<BYTE> data(size, 0xEE);
    ASSERT_EQ(RegQueryValueEx(key, "InstalledDir", nullptr, &type, data.data(), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(data.begin(), data.end()), expected + '\0');

    BYTE number[4] = {};
    size = sizeof number;
    ASSERT_EQ(RegQueryValueEx(key, "Count", nullptr, &type, number, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(number[0], 0x0D);
    EXPECT_EQ(number[3], 0x0A);

    EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueEx(nullptr, "InstalledDir", nullptr, &type, nullptr, &size),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

using RegistryKeysDeathTest = RegistryKeys;

TEST_F(RegistryKeysDeathTest, WriteAccessIsRefusedWhereTheHiveCannotBeWritten) {
    Write(u"InstalledDir", CString(u"/opt/ce"));
    ASSERT_EQ(::chmod(m_folder.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod((m_folder / "system.reg").c_str(), 0444), 0);
    // Root may write any file, so the check runs as another user.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(65534) != 0)
                ::_exit(3);
            HKEY key = nullptr;
            if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kServices, 0, KEY_READ | KEY_WRITE, &key) !=
                ERROR_ACCESS_DENIED)
                ::_exit(1);
            if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kServices, 0, KEY_READ, &key) != ERROR_SUCCESS)
                ::_exit(2);
            ::_exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
