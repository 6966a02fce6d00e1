#include "platform/base/ModulePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string Utf8(const CString& text) {
    return text.ToUtf8();
}

TEST(ModulePathTest, ProgramFilesLieBesideTheProgramUnderItsName) {
    struct Case {
        const char16_t* module;
        const char16_t* extension;
        const char16_t* expected;
    };
    const std::vector<Case> cases = {
        {u"/opt/jokepad/jokepad.exe", u".dat", u"/opt/jokepad/jokepad.dat"},
        {u"/usr/bin/jokepad", u".fav", u"/usr/bin/jokepad.fav"},
        // Only a trailing ".exe" goes, in any letter case.
        {u"/opt/jokepad/JOKEPAD.EXE", u".dat", u"/opt/jokepad/JOKEPAD.dat"},
        {u"/opt/jokepad/jokepad.Exe", u".fav", u"/opt/jokepad/jokepad.fav"},
        {u"/opt/x.exe.d/jokepad", u".dat", u"/opt/x.exe.d/jokepad.dat"},
        {u"/opt/x.exe.d/jokepad.exe", u".fav", u"/opt/x.exe.d/jokepad.fav"},
        {u"/opt/jokepad.exe.exe", u".dat", u"/opt/jokepad.exe.dat"},
        {u"/opt/jokepad.exec", u".dat", u"/opt/jokepad.exec.dat"},
        {u"/opt/jokepad.ex", u".dat", u"/opt/jokepad.ex.dat"},
        {u"/opt/jokepad exe", u".dat", u"/opt/jokepad exe.dat"},
        {u"/home/j\u00FCrgen/Witze.exe", u".dat", u"/home/j\u00FCrgen/Witze.dat"},
        {u"", u".dat", u".dat"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8(platform::ProgramFilePath(CString(c.module), c.extension)), Utf8(c.expected))
            << "module " << Utf8(c.module);
    }
}

TEST(ModulePathTest, ProgramNameIsTheFileNameWithoutExe) {
    struct Case {
        const char16_t* module;
        const char16_t* expected;
    };
    const std::vector<Case> cases = {
        {u"/opt/jokepad.exe", u"jokepad"}, {u"/usr/bin/jokepad", u"jokepad"},
        {u"/opt/JOKEPAD.EXE", u"JOKEPAD"}, {u"/opt/x.exe.d/witze", u"witze"},
        {u"/opt/witze-1.2", u"witze-1.2"}, {u"/opt/.exe", u".exe"},
        {u"jokepad", u"jokepad"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8(platform::ProgramNameFromPath(CString(c.module))), Utf8(c.expected))
            << "module " << Utf8(c.module);
    }
}

TEST(ModulePathTest, ModulePathIsTheRunningProgramUnlessOverridden) {
    const CString real = AfxGetModuleFileName();
    const std::filesystem::path path(real.ToUtf8());
    EXPECT_TRUE(path.is_absolute()) << path;
    EXPECT_TRUE(std::filesystem::equivalent(path, "/proc/self/exe")) << path;

    platform::SetModulePathForTesting(CString(u"/tmp/elsewhere/witze.exe"));
    EXPECT_EQ(Utf8(AfxGetModuleFileName()), "/tmp/elsewhere/witze.exe");
    platform::SetModulePathForTesting(std::nullopt);
    EXPECT_EQ(Utf8(AfxGetModuleFileName()), Utf8(real));
}

}  // namespace
