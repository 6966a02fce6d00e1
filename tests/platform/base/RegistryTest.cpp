#include "platform/base/Registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "TempRegistry.h"

using platform::HiveId;
using platform::RegistryHive;
using platform::RegistryStatus;
using platform::RegistryValue;
using platform::RegText;

namespace {

using namespace registry_test;

constexpr std::u16string_view kSettings = u"Software\\Parlonda\\jokepad\\Settings";

std::string Utf8(std::u16string_view text) {
    return CString(text).ToUtf8();
}

std::string Describe(const std::optional<RegistryValue>& value) {
    if (!value)
        return "(none)";
    if (const auto* text = std::get_if<CString>(&*value))
        return "string \"" + text->ToUtf8() + '"';
    return "dword " + std::to_string(std::get<DWORD>(*value));
}

TEST(RegistryTest, FileHasTheRegeditForm) {
    TempRegistry registry;
    RegistryHive hive(HiveId::CurrentUser);
    ASSERT_TRUE(hive.WriteString(kSettings, u"FaceName", u"Arial"));
    ASSERT_TRUE(hive.WriteDword(kSettings, u"FontSize", 10));
    ASSERT_TRUE(hive.WriteDword(u"Software\\Parlonda\\jokepad\\Set", u"LastJokeIndex", 0xDEADBEEF));

    EXPECT_EQ(ReadTextFile(registry.UserHive()),
              "REGEDIT4\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Parlonda\\jokepad\\Settings]\n"
              "\"FaceName\"=\"Arial\"\n"
              "\"FontSize\"=dword:0000000a\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Parlonda\\jokepad\\Set]\n"
              "\"LastJokeIndex\"=dword:deadbeef\n"
              "\n");
}

TEST(RegistryTest, ValuesAndNamesSurviveTheRoundTrip) {
    struct Case {
        std::u16string key;
        std::u16string name;
        RegistryValue value;
    };
    const std::vector<Case> cases = {
        {u"K", u"Plain", CString(u"Arial")},
        {u"K", u"Backslashes", CString(u"C:\\Program Files\\\\x\\")},
        {u"K", u"Quotes", CString(u"say \"hi\" \"")},
        {u"K", u"Escape lookalikes", CString(u"\\n is not a new line, \\\" neither")},
        {u"K", u"Lines", CString(u"one\ntwo\r\nthree\n")},
        {u"K", u"Empty", CString(u"")},
        {u"K", u"Unicode", CString(u"Gr\u00FC\u00DFe \u2713 \U0001F600")},
        {u"K", u"Zero", DWORD{0}},
        {u"K", u"Max", DWORD{0xFFFFFFFF}},
        {u"K", u"", CString(u"the key's default value")},
        {u"K", u"a \"quoted\" = name", CString(u"v1")},
        {u"K", u"back\\slash", DWORD{7}},
        {u"K", u"]", CString(u"bracket")},
        {u"K", u"@", CString(u"not the default")},
        {u"K", u"new\nline", CString(u"v2")},
        {u"Software\\Odd]Key\\With = and \"quote\"", u"V", CString(u"v3")},
        {u"Software\\\u00C4rger", u"\u00C4", DWORD{3}},
    };
    TempRegistry registry;
    {
        RegistryHive writer(HiveId::CurrentUser);
        for (const Case& c : cases) {
            ASSERT_TRUE(writer.WriteValue(c.key, c.name, c.value)) << Utf8(c.name);
        }
    }
    RegistryHive reader(HiveId::CurrentUser);
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(reader.ReadValue(c.key, c.name)), Describe(c.value))
            << "key " << Utf8(c.key) << ", name " << Utf8(c.name);
    }
    // The types do not mix: a string is no dword, and the other way round.
    EXPECT_FALSE(reader.ReadDword(u"K", u"Plain"));
    EXPECT_FALSE(reader.ReadString(u"K", u"Zero"));
    EXPECT_EQ(reader.ReadDword(u"K", u"Max"), 0xFFFFFFFFu);
}

TEST(RegistryTest, HandWrittenLinesAreRead) {
    struct Case {
        const char* line;
        std::u16string name;
        std::optional<RegistryValue> expected;
    };
    const std::vector<Case> cases = {
        {"\"A\"=\"x\"", u"A", CString(u"x")},
        {"\"B\"=dword:0000000A", u"B", DWORD{10}},
        {"\"C\"=DWORD:ff", u"C", DWORD{255}},
        {"  \"D\" = \"spaced\"  ", u"D", CString(u"spaced")},
        {"@=\"default\"", u"", CString(u"default")},
        {"\"E\"=\"C:\\dir\\file\"", u"E", CString(u"C:\\dir\\file")},  // unescaped, as people write
        {"\"F\"=\"ok\"\r", u"F", CString(u"ok")},
        {"\"G\"=dword:123456789", u"G", std::nullopt},  // more than 32 bits
        {"\"H\"=dword:", u"H", std::nullopt},
        {"\"I\"=dword:12zz", u"I", std::nullopt},
        {"\"J\"=hex:01,02", u"J", std::nullopt},
        {"\"K\"=\"unterminated", u"K", std::nullopt},
        {"\"L\"=\"trailing\" junk", u"L", std::nullopt},
        {"\"M\"", u"M", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::string text =
            std::string("\xEF\xBB\xBFREGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\S]\r\n") + c.line + "\n";
        const RegText doc = RegText::Parse("HKEY_CURRENT_USER", text);
        EXPECT_EQ(Describe(doc.Find(u"S", c.name)), Describe(c.expected)) << "line: " << c.line;
    }
}

TEST(RegistryTest, NamesIgnoreAsciiCaseAndKeepTheirSpelling) {
    TempRegistry registry;
    RegistryHive hive(HiveId::CurrentUser);
    ASSERT_TRUE(hive.WriteDword(u"Software\\Parlonda\\JokePad\\Settings", u"FontSize", 10));
    ASSERT_TRUE(hive.WriteDword(u"SOFTWARE\\parlonda\\jokepad\\SETTINGS", u"FONTSIZE", 12));

    EXPECT_EQ(hive.ReadDword(u"software\\PARLONDA\\jokepad\\settings", u"fontsize"), 12u);
    EXPECT_TRUE(hive.KeyExists(u"SOFTWARE\\PARLONDA"));
    const std::string text = ReadTextFile(registry.UserHive());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Parlonda\\JokePad\\Settings]\n"
                        "\"FontSize\"=dword:0000000c\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("FONTSIZE"), std::string::npos) << text;
    EXPECT_EQ(text.find("SETTINGS"), std::string::npos) << text;

    // Only ASCII letters fold.
    ASSERT_TRUE(hive.WriteDword(u"K", u"\u00C4", 1));
    EXPECT_FALSE(hive.ReadDword(u"K", u"\u00E4"));
    EXPECT_FALSE(hive.ReadDword(u"k ", u"\u00C4"));
}

TEST(RegistryTest, KeysExistWithTheirParents) {
    TempRegistry registry;
    RegistryHive hive(HiveId::LocalMachine);
    EXPECT_FALSE(hive.KeyExists(u"Software"));
    ASSERT_TRUE(
        hive.WriteString(u"Software\\Microsoft\\Windows CE Services", u"InstalledDir", u"/opt/ce"));
    EXPECT_TRUE(std::filesystem::exists(registry.MachineHive()));
    EXPECT_FALSE(std::filesystem::exists(registry.UserHive()));

    struct Case {
        std::u16string key;
        bool exists;
    };
    const std::vector<Case> cases = {
        {u"", true},
        {u"Software", true},
        {u"software\\microsoft", true},
        {u"Software\\Microsoft\\Windows CE Services", true},
        {u"Software\\Micro", false},
        {u"Software\\Microsoft\\Windows CE", false},
        {u"Software\\Microsoft\\Windows CE Services\\Sub", false},
        {u"Microsoft", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hive.KeyExists(c.key), c.exists) << Utf8(c.key);
    }
    // The user hive is a different file.
    EXPECT_FALSE(RegistryHive(HiveId::CurrentUser).KeyExists(u"Software"));
}

TEST(RegistryTest, DeleteRemovesTheValueAndKeepsTheKey) {
    TempRegistry registry;
    RegistryHive hive(HiveId::CurrentUser);
    EXPECT_EQ(hive.DeleteValue(kSettings, u"FaceName").status, RegistryStatus::NotFound);
    EXPECT_FALSE(std::filesystem::exists(registry.UserHive()));

    ASSERT_TRUE(hive.WriteString(kSettings, u"FaceName", u"Tahoma"));
    ASSERT_TRUE(hive.WriteDword(kSettings, u"FontSize", 9));
    EXPECT_TRUE(hive.DeleteValue(kSettings, u"facename"));
    EXPECT_FALSE(hive.ReadValue(kSettings, u"FaceName"));
    EXPECT_EQ(hive.ReadDword(kSettings, u"FontSize"), 9u);
    EXPECT_EQ(hive.DeleteValue(kSettings, u"FaceName").status, RegistryStatus::NotFound);
    ASSERT_TRUE(hive.DeleteValue(kSettings, u"FontSize"));
    EXPECT_TRUE(hive.KeyExists(kSettings));
}

TEST(RegistryTest, InvalidKeysAreRefusedAndChangeNothing) {
    TempRegistry registry;
    RegistryHive hive(HiveId::CurrentUser);
    ASSERT_TRUE(hive.WriteDword(u"Good", u"V", 1));
    const std::string before = ReadTextFile(registry.UserHive());
    for (const std::u16string key : {u"a\\\\b", u"\\a", u"a\\", u"a\nb", u"a]\r"}) {
        const auto result = hive.WriteDword(key, u"V", 2);
        EXPECT_EQ(result.status, RegistryStatus::InvalidName) << Utf8(key);
        EXPECT_FALSE(result.message.empty());
    }
    EXPECT_EQ(ReadTextFile(registry.UserHive()), before);
}

TEST(RegistryTest, DamagedHiveReadsWhatItCanAndKeepsTheRestOnWrite) {
    TempRegistry registry;
    const std::vector<std::string> kept = {
        "; a comment someone wrote",
        "garbage without quotes",
        "\"Broken\"=dword:xyz",
        "\"Binary\"=hex:00,01,\\",
        "  02,03",
        "[HKEY_CLASSES_ROOT\\.txt]",
        "@=\"txtfile\"",
        "[-HKEY_CURRENT_USER\\Deleted]",
        "\"Trunc\"=\"half a li",
    };
    const std::string damaged =
        "REGEDIT4\n\n"
        "stray line before any section\n"
        "[HKEY_CURRENT_USER\\S]\n"
        "\"Good\"=\"yes\"\n" +
        kept[0] + "\n" + kept[1] + "\n" + kept[2] + "\n" + kept[3] + "\n" + kept[4] + "\n" +
        "\"Number\"=dword:00000020\n" + kept[5] + "\n" + kept[6] + "\n" + kept[7] + "\n" +
        "[HKEY_CURRENT_USER\\S]\n"  // the same key again
        "\"Good\"=\"later wins\"\n" +
        kept[8];  // no new line: the file was cut short
    std::filesystem::create_directories(registry.Folder());
    WriteTextFile(registry.UserHive(), damaged);

    RegistryHive hive(HiveId::CurrentUser);
    EXPECT_EQ(Describe(hive.ReadValue(u"S", u"Good")), "string \"later wins\"");
    EXPECT_EQ(hive.ReadDword(u"S", u"Number"), 32u);
    EXPECT_FALSE(hive.ReadValue(u"S", u"Broken"));
    EXPECT_FALSE(hive.ReadValue(u"S", u"Trunc"));
    EXPECT_FALSE(hive.ReadValue(u".txt", u""));  // another root's section is not ours

    ASSERT_TRUE(hive.WriteString(u"S", u"New", u"value"));
    ASSERT_TRUE(hive.WriteString(u"S", u"Good", u"rewritten"));
    const std::string after = ReadTextFile(registry.UserHive());
    for (const std::string& line : kept) {
        EXPECT_NE(after.find(line + "\n"), std::string::npos) << "lost: " << line << "\n" << after;
    }
    EXPECT_NE(after.find("stray line before any section\n"), std::string::npos) << after;
    EXPECT_EQ(after.find("later wins"), std::string::npos) << after;
    EXPECT_EQ(after.find("\"Good\"=\"yes\""), std::string::npos) << after;

    RegistryHive again(HiveId::CurrentUser);
    EXPECT_EQ(Describe(again.ReadValue(u"S", u"Good")), "string \"rewritten\"");
    EXPECT_EQ(Describe(again.ReadValue(u"S", u"New")), "string \"value\"");
    EXPECT_EQ(again.ReadDword(u"S", u"Number"), 32u);
    // A damaged value is replaced by writing it.
    ASSERT_TRUE(again.WriteDword(u"S", u"Broken", 5));
    EXPECT_EQ(again.ReadDword(u"S", u"Broken"), 5u);
    EXPECT_EQ(ReadTextFile(registry.UserHive()).find("dword:xyz"), std::string::npos);
}

TEST(RegistryTest, ConcurrentWritersLoseNoEntry) {
    TempRegistry registry;
    constexpr int kWriters = 2;
    constexpr int kEntries = 300;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            RegistryHive hive(HiveId::CurrentUser);
            int failures = 0;
            for (int i = 0; i < kEntries; ++i) {
                const std::u16string name =
                    CString::FromUtf8("w" + std::to_string(w) + "-" + std::to_string(i)).Str();
                failures +=
                    hive.WriteDword(u"Software\\Race", name, static_cast<DWORD>(w * 100000 + i))
                        ? 0
                        : 1;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "a writer reported a failed write";
    }
    RegistryHive hive(HiveId::CurrentUser);
    std::string lost;
    int lostCount = 0;
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kEntries; ++i) {
            const std::string name = "w" + std::to_string(w) + "-" + std::to_string(i);
            if (hive.ReadDword(u"Software\\Race", CString::FromUtf8(name).View()) !=
                static_cast<DWORD>(w * 100000 + i)) {
                if (++lostCount <= 10)
                    lost += ' ' + name;
            }
        }
    }
    EXPECT_EQ(lostCount, 0) << "entries lost, among them" << lost;
    // Nothing is left behind but the hive and its lock.
    for (const auto& entry : std::filesystem::directory_iterator(registry.Folder())) {
        const std::string file = entry.path().filename().string();
        EXPECT_TRUE(file == "user.reg" || file == "user.reg.lock") << file;
    }
}

TEST(RegistryTest, ReadersNeverSeeAHalfWrittenHive) {
    TempRegistry registry;
    RegistryHive hive(HiveId::CurrentUser);
    // A hive large enough that writing it is not one small write.
    const std::u16string filler(20000, u'x');
    ASSERT_TRUE(hive.WriteString(u"S", u"Filler", filler));
    ASSERT_TRUE(hive.WriteDword(u"S", u"Counter", 0));

    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        RegistryHive writer(HiveId::CurrentUser);
        int failures = 0;
        for (DWORD i = 1; i <= 200; ++i)
            failures += writer.WriteDword(u"S", u"Counter", i) ? 0 : 1;
        ::_exit(failures == 0 ? 0 : 1);
    }
    int misses = 0;
    int reads = 0;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        ++reads;
        if (!hive.ReadDword(u"S", u"Counter") ||
            hive.ReadString(u"S", u"Filler") != CString(filler))
            ++misses;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(misses, 0) << "of " << reads << " reads";
    EXPECT_EQ(hive.ReadDword(u"S", u"Counter"), 200u);
}

TEST(RegistryTest, FirstWriteCreatesAPrivateFolder) {
    TempFolder base;
    const auto folder = base.Path() / "config" / "jokepad";
    RegistryHive hive(HiveId::CurrentUser, folder);
    EXPECT_FALSE(hive.ReadValue(u"S", u"V"));
    EXPECT_FALSE(std::filesystem::exists(folder)) << "reading must not create anything";

    ASSERT_TRUE(hive.WriteDword(u"S", u"V", 1));
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((folder / "user.reg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u) << "the hive must not be readable by others";
}

TEST(RegistryTest, WriteFailuresAreReportedAndLoseNothing) {
    TempRegistry registry;
    {
        // The registry "folder" is a file.
        TempFolder base;
        const auto notAFolder = base.Path() / "file";
        WriteTextFile(notAFolder, "precious");
        ScopedEnv env("JOKEPAD_REGISTRY", notAFolder.string());
        RegistryHive hive(HiveId::CurrentUser);
        const auto result = hive.WriteDword(u"S", u"V", 1);
        EXPECT_EQ(result.status, RegistryStatus::IoError);
        EXPECT_NE(result.message.find(notAFolder.string()), std::string::npos) << result.message;
        EXPECT_EQ(ReadTextFile(notAFolder), "precious");
        EXPECT_FALSE(hive.ReadValue(u"S", u"V"));
    }
    // The hive cannot be read (here: it is a folder), so it must not be replaced.
    std::filesystem::create_directories(registry.UserHive() / "inside");
    RegistryHive hive(HiveId::CurrentUser);
    const auto result = hive.WriteDword(u"S", u"V", 1);
    EXPECT_EQ(result.status, RegistryStatus::IoError);
    EXPECT_FALSE(result.message.empty());
    EXPECT_TRUE(std::filesystem::exists(registry.UserHive() / "inside"));
}

TEST(RegistryTest, FolderComesFromTheEnvironment) {
    struct Case {
        std::optional<std::string> registry, xdg, home;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"/r", "/x", "/h", "/r"},
        {"", "/x", "/h", "/x/jokepad"},
        {std::nullopt, "/x", "/h", "/x/jokepad"},
        {std::nullopt, std::nullopt, "/h", "/h/.config/jokepad"},
        {std::nullopt, "", "/h", "/h/.config/jokepad"},
        {std::nullopt, "relative/x", "/h", "/h/.config/jokepad"},
    };
    for (const Case& c : cases) {
        ScopedEnv r("JOKEPAD_REGISTRY", c.registry);
        ScopedEnv x("XDG_CONFIG_HOME", c.xdg);
        ScopedEnv h("HOME", c.home);
        const auto folder = platform::RegistryFolder();
        EXPECT_EQ(folder ? std::optional(folder->string()) : std::nullopt, c.expected)
            << "JOKEPAD_REGISTRY=" << c.registry.value_or("(unset)")
            << " XDG_CONFIG_HOME=" << c.xdg.value_or("(unset)")
            << " HOME=" << c.home.value_or("(unset)");
        EXPECT_EQ(RegistryHive(HiveId::LocalMachine).FilePath(), *folder / "system.reg");
    }
}

}  // namespace
