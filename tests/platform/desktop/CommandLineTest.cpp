#include "platform/desktop/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Show(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& w : words)
        text += "[" + w + "]";
    return text;
}

TEST(CommandLine, SplitsAsThePlatformDoes) {
    struct Case {
        std::string line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"", {}},
        {"  \t ", {}},
        {"prog", {"prog"}},
        {"  prog  a\tb  ", {"prog", "a", "b"}},
        // The program word: quotes group, backslashes are plain, a quote cannot be escaped.
        {"\"/opt/CE Services/CEAppMgr.exe\" x", {"/opt/CE Services/CEAppMgr.exe", "x"}},
        {"/opt/CE Services/CEAppMgr.exe x", {"/opt/CE", "Services/CEAppMgr.exe", "x"}},
        {"a\\\\\"b c\" d", {"a\\\\b c", "d"}},
        {"p\\\"q r", {"p\\q r"}},
        {"\"unclosed program", {"unclosed program"}},
        {"\"\" a", {"", "a"}},
        // Later words: the platform's backslash and quote rules.
        {"p \"abc\" d e", {"p", "abc", "d", "e"}},
        {"p a\\\\\\b d\"e f\"g h", {"p", "a\\\\\\b", "de fg", "h"}},
        {"p a\\\\\\\"b c d", {"p", "a\\\"b", "c", "d"}},
        {"p a\\\\\\\\\"b c\" d e", {"p", "a\\\\b c", "d", "e"}},
        {"p a\"b\"\" c d", {"p", "ab\" c d"}},
        {"p \"\"", {"p", ""}},
        {"p \"\" \"\"", {"p", "", ""}},
        {"p \"a b", {"p", "a b"}},
        {"p \"/tmp/my folder/DA/WJ.INI\"", {"p", "/tmp/my folder/DA/WJ.INI"}},
        {"p dir\\", {"p", "dir\\"}},
        {"p \"dir\\\\\"", {"p", "dir\\"}},
        {"p a\"\"b", {"p", "ab"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("line: " + c.line);
        EXPECT_EQ(Show(CommandLineToArgv(c.line)), Show(c.words));
    }
}

TEST(CommandLine, QuotedWordsComeBackUnchanged) {
    const std::string words[] = {
        "",        "plain",       "with blank", "tab\there",     "trailing\\",
        "two\\\\", "q\"uote",     "\\\"",       "\\\\\"x\\\\\"", "\"",
        "\"\"",    "end in \\\\", " lead",      "a\\b\\c",       "/tmp/my folder/DA/WJ.INI",
    };
    const std::string program = "/opt/CE Services/CEAppMgr.exe";
    const auto quotedProgram = QuoteCommandLineProgram(program);
    ASSERT_TRUE(quotedProgram);
    for (const auto& word : words) {
        SCOPED_TRACE("word: " + word);
        const std::string line = *quotedProgram + " " + QuoteCommandLineArgument(word);
        EXPECT_EQ(Show(CommandLineToArgv(line)), Show({program, word}));
    }
}

TEST(CommandLine, AProgramPathWithAQuoteCannotBeQuoted) {
    // Its word could only come back as another path, naming another program.
    EXPECT_FALSE(QuoteCommandLineProgram("/opt/a\"b/CEAppMgr.exe"));
    EXPECT_EQ(QuoteCommandLineProgram("CEAppMgr.exe"), "\"CEAppMgr.exe\"");
}

}  // namespace
