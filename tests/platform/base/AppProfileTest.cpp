#include "platform/base/AppProfile.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "TempRegistry.h"
#include "platform/base/ModulePath.h"

using platform::HiveId;
using platform::RegistryHive;

namespace {

using namespace registry_test;

std::string Utf8(const CString& text) {
    return text.ToUtf8();
}

class AppProfileTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetModulePathForTesting(std::nullopt); }
    TempRegistry registry;
};

TEST_F(AppProfileTest, AnEmptyProfileGivesTheDefaults) {
    CAppProfile app(u"jokepad");
    app.SetRegistryKey(u"Parlonda");
    EXPECT_EQ(app.GetProfileInt(u"Settings", u"FontSize", 10), 10u);
    EXPECT_EQ(static_cast<int>(app.GetProfileInt(u"Set", u"LastJokeIndex", -1)), -1);
    EXPECT_EQ(Utf8(app.GetProfileString(u"Settings", u"FaceName", u"Arial")), "Arial");
    EXPECT_EQ(Utf8(app.GetProfileString(u"Settings", u"FaceName")), "");
    EXPECT_FALSE(std::filesystem::exists(registry.Folder() / "user.reg")) << "reads must not write";
}

TEST_F(AppProfileTest, EntriesLiveUnderCompanyApplicationAndSection) {
    {
        CAppProfile app(u"jokepad");
        app.SetRegistryKey(u"Parlonda");
        EXPECT_EQ(Utf8(app.GetSectionKey(u"Settings")), "Software\\Parlonda\\jokepad\\Settings");
        EXPECT_TRUE(app.WriteProfileInt(u"Settings", u"FontSize", 12));
        EXPECT_TRUE(app.WriteProfileString(u"Settings", u"FaceName", u"Courier New"));
        EXPECT_TRUE(app.WriteProfileInt(u"Set", u"LastJokeIndex", 41));
    }
    RegistryHive hive(HiveId::CurrentUser);
    EXPECT_EQ(hive.ReadDword(u"Software\\Parlonda\\jokepad\\Settings", u"FontSize"), 12u);
    EXPECT_EQ(hive.ReadString(u"Software\\Parlonda\\jokepad\\Settings", u"FaceName"),
              CString(u"Courier New"));
    EXPECT_EQ(hive.ReadDword(u"Software\\Parlonda\\jokepad\\Set", u"LastJokeIndex"), 41u);

    // The next run reads what this one wrote.
    CAppProfile next(u"jokepad");
    next.SetRegistryKey(u"Parlonda");
    EXPECT_EQ(next.GetProfileInt(u"Settings", u"FontSize", 10), 12u);
    EXPECT_EQ(Utf8(next.GetProfileString(u"Settings", u"FaceName", u"Arial")), "Courier New");
    EXPECT_EQ(next.GetProfileInt(u"Set", u"LastJokeIndex", 0), 41u);

    // Without the company key the application's name stands right below Software.
    CAppProfile bare(u"jokepad");
    EXPECT_EQ(Utf8(bare.GetSectionKey(u"Settings")), "Software\\jokepad\\Settings");
    EXPECT_EQ(bare.GetProfileInt(u"Settings", u"FontSize", 10), 10u);
}

TEST_F(AppProfileTest, SectionsAreKeptApart) {
    CAppProfile app(u"jokepad");
    app.SetRegistryKey(u"Parlonda");
    ASSERT_TRUE(app.WriteProfileInt(u"Settings", u"LastJokeIndex", 99));
    EXPECT_EQ(app.GetProfileInt(u"Set", u"LastJokeIndex", 0), 0u);
    ASSERT_TRUE(app.WriteProfileInt(u"Set", u"LastJokeIndex", 5));
    EXPECT_EQ(app.GetProfileInt(u"Set", u"LastJokeIndex", 0), 5u);
    EXPECT_EQ(app.GetProfileInt(u"Settings", u"LastJokeIndex", 0), 99u);
    ASSERT_TRUE(app.WriteProfileString(u"Set", u"FaceName", u"Tahoma"));
    EXPECT_EQ(Utf8(app.GetProfileString(u"Settings", u"FaceName", u"Arial")), "Arial");
}

TEST_F(AppProfileTest, TheApplicationIsNamedAfterTheProgramFile) {
    platform::SetModulePathForTesting(CString(u"/opt/jokes/witze.exe"));
    CAppProfile renamed;
    renamed.SetRegistryKey(u"Parlonda");
    EXPECT_EQ(Utf8(renamed.GetAppName()), "witze");
    ASSERT_TRUE(renamed.WriteProfileInt(u"Settings", u"FontSize", 20));

    platform::SetModulePathForTesting(CString(u"/opt/jokes/jokepad"));
    CAppProfile original;
    original.SetRegistryKey(u"Parlonda");
    EXPECT_EQ(Utf8(original.GetAppName()), "jokepad");
    EXPECT_EQ(original.GetProfileInt(u"Settings", u"FontSize", 10), 10u);
    EXPECT_EQ(RegistryHive(HiveId::CurrentUser)
                  .ReadDword(u"Software\\Parlonda\\witze\\Settings", u"FontSize"),
              20u);
}

TEST_F(AppProfileTest, StoredValuesAreReadAsIntegers) {
    struct Case {
        platform::RegistryValue stored;
        UINT expected;  // the default is 10
    };
    const std::vector<Case> cases = {
        {DWORD{0}, 0},
        {DWORD{72}, 72},
        {DWORD{0xFFFFFFFF}, 0xFFFFFFFF},
        {CString(u"42"), 42},
        {CString(u" +8\t"), 8},
        {CString(u"-7"), static_cast<UINT>(-7)},
        {CString(u"4294967295"), 0xFFFFFFFF},
        {CString(u"4294967296"), 10},
        {CString(u"-2147483649"), 10},
        {CString(u"Arial"), 10},
        {CString(u"12pt"), 10},
        {CString(u"0x10"), 10},
        {CString(u""), 10},
        {CString(u"\u0661\u0662"), 10},  // digits of another script
    };
    CAppProfile app(u"jokepad");
    app.SetRegistryKey(u"Parlonda");
    RegistryHive hive(HiveId::CurrentUser);
    for (const Case& c : cases) {
        ASSERT_TRUE(
            hive.WriteValue(u"Software\\Parlonda\\jokepad\\Settings", u"FontSize", c.stored));
        const std::string shown = std::holds_alternative<DWORD>(c.stored)
                                      ? "dword " + std::to_string(std::get<DWORD>(c.stored))
                                      : "string \"" + std::get<CString>(c.stored).ToUtf8() + '"';
        EXPECT_EQ(app.GetProfileInt(u"Settings", u"FontSize", 10), c.expected) << shown;
    }
    // A number is not read as a string.
    ASSERT_TRUE(hive.WriteDword(u"Software\\Parlonda\\jokepad\\Settings", u"FaceName", 3));
    EXPECT_EQ(Utf8(app.GetProfileString(u"Settings", u"FaceName", u"Arial")), "Arial");
}

TEST_F(AppProfileTest, WritingANullStringDeletesTheEntry) {
    CAppProfile app(u"jokepad");
    app.SetRegistryKey(u"Parlonda");
    ASSERT_TRUE(app.WriteProfileString(u"Settings", u"FaceName", u"Tahoma"));
    ASSERT_TRUE(app.WriteProfileString(u"Settings", u"FaceName", u""));
    EXPECT_EQ(Utf8(app.GetProfileString(u"Settings", u"FaceName", u"Arial")), "");
    EXPECT_TRUE(app.WriteProfileString(u"Settings", u"FaceName", nullptr));
    EXPECT_EQ(Utf8(app.GetProfileString(u"Settings", u"FaceName", u"Arial")), "Arial");
    EXPECT_TRUE(app.WriteProfileString(u"Settings", u"FaceName", nullptr));
    // Null names are refused rather than followed.
    EXPECT_FALSE(app.WriteProfileInt(nullptr, u"FontSize", 1));
    EXPECT_FALSE(app.WriteProfileString(u"Settings", nullptr, u"x"));
    EXPECT_EQ(app.GetProfileInt(u"Settings", nullptr, 10), 10u);
}

TEST_F(AppProfileTest, AFailedWriteIsSilentAndKeepsTheFormerValue) {
    CAppProfile app(u"jokepad");
    app.SetRegistryKey(u"Parlonda");
    ASSERT_TRUE(app.WriteProfileInt(u"Settings", u"FontSize", 14));
    ASSERT_TRUE(app.WriteProfileString(u"Settings", u"FaceName", u"Tahoma"));
    // The hive's lock cannot be taken, so no write can go through; reading needs no lock.
    std::filesystem::remove(registry.Folder() / "user.reg.lock");
    std::filesystem::create_directory(registry.Folder() / "user.reg.lock");

    EXPECT_FALSE(app.WriteProfileInt(u"Settings", u"FontSize", 16));
    EXPECT_FALSE(app.WriteProfileString(u"Settings", u"FaceName", u"Courier New"));
    EXPECT_FALSE(app.WriteProfileString(u"Settings", u"FaceName", nullptr));
    EXPECT_EQ(app.GetProfileInt(u"Settings", u"FontSize", 10), 14u);
    EXPECT_EQ(Utf8(app.GetProfileString(u"Settings", u"FaceName", u"Arial")), "Tahoma");
}

}  // namespace
