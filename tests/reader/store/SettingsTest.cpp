// The font settings and where the program's files are.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/reader/store/StoreFixture.h"

namespace storetest {
namespace {

using SettingsTest = StoreTest;

TEST_F(SettingsTest, AnEmptyProfileGivesTheDefaults) {
    EXPECT_EQ(m_app->GetFaceName(), CString(u"Arial"));
    EXPECT_EQ(m_app->GetFontSize(), 10);
    EXPECT_EQ(m_app->GetProfileInt(u"Set", u"LastJokeIndex", 0), 0u);
}

TEST_F(SettingsTest, WrittenValuesComeBackAndLiveUnderTheCompanyKey) {
    m_app->SetFaceName(u"Courier New");
    m_app->SetFontSize(14);
    m_app->WriteProfileInt(u"Set", u"LastJokeIndex", 7);
    EXPECT_EQ(m_app->GetFaceName(), CString(u"Courier New"));
    EXPECT_EQ(m_app->GetFontSize(), 14);

    std::ifstream hive(m_dir / "registry" / "user.reg");
    std::stringstream text;
    text << hive.rdbuf();
    EXPECT_NE(text.str().find("[HKEY_CURRENT_USER\\Software\\Parlonda\\jokepad\\Settings]"),
              std::string::npos)
        << text.str();
    EXPECT_NE(text.str().find("\"FontSize\"=dword:0000000e"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("[HKEY_CURRENT_USER\\Software\\Parlonda\\jokepad\\Set]"),
              std::string::npos)
        << text.str();
}

TEST_F(SettingsTest, LastJokeIndexIsReadFromSetOnly) {
    m_app->WriteProfileInt(u"Settings", u"LastJokeIndex", 5);
    EXPECT_EQ(m_app->GetProfileInt(u"Set", u"LastJokeIndex", 0), 0u);
    m_app->WriteProfileInt(u"Set", u"LastJokeIndex", 2);
    EXPECT_EQ(m_app->GetProfileInt(u"Set", u"LastJokeIndex", 0), 2u);
}

TEST_F(SettingsTest, TheProgramsFilesLieBesideItUnderItsName) {
    struct Case {
        const char16_t* module;
        const char16_t* data;
        const char16_t* favorites;
    };
    const Case cases[] = {
        {u"/opt/jokepad/jokepad", u"/opt/jokepad/jokepad.dat", u"/opt/jokepad/jokepad.fav"},
        {u"/dev/Wendle Diver/WJ.exe", u"/dev/Wendle Diver/WJ.dat", u"/dev/Wendle Diver/WJ.fav"},
        {u"/x/PROG.EXE", u"/x/PROG.dat", u"/x/PROG.fav"},
        {u"/home/u/tools.exe.d/jokepad", u"/home/u/tools.exe.d/jokepad.dat",
         u"/home/u/tools.exe.d/jokepad.fav"},
    };
    for (const Case& c : cases) {
        platform::SetModulePathForTesting(CString(c.module));
        CString data;
        CString favorites;
        m_app->GetDataFilePath(data);
        m_app->GetFavoritesFilePath(favorites);
        EXPECT_EQ(data, CString(c.data)) << CString(c.module).ToUtf8();
        EXPECT_EQ(favorites, CString(c.favorites)) << CString(c.module).ToUtf8();
    }
}

}  // namespace
}  // namespace storetest
