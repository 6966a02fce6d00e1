// Reading scripts: what each command line becomes, and the message a bad line gets, which
// names the line as the script's author counts it.

#include "platform/display/script/Script.h"

#include <gtest/gtest.h>

#include "platform/ui/VirtualKeys.h"

namespace platform {
namespace {

ScriptCommand Parsed(const std::string& line) {
    std::vector<ScriptCommand> commands;
    std::string error;
    EXPECT_TRUE(ParseScript(line, &commands, &error)) << line << ": " << error;
    EXPECT_EQ(commands.size(), 1u) << line;
    return commands.empty() ? ScriptCommand{} : commands.front();
}

TEST(ParseScript, EachCommandCarriesItsArguments) {
    const struct {
        const char* line;
        ScriptVerb verb;
        int id = 0;
        int x = 0, y = 0;
        unsigned vk = 0;
        KeyModifiers modifiers = {};
        std::u16string text = {};
        std::string path = {};
    } cases[] = {
        {.line = "click 1002", .verb = ScriptVerb::Click, .id = 1002},
        {.line = "  click   -1  ", .verb = ScriptVerb::Click, .id = -1},
        {.line = "tap 0 319", .verb = ScriptVerb::Tap, .x = 0, .y = 319},
        {.line = "tap 239 0", .verb = ScriptVerb::Tap, .x = 239, .y = 0},
        {.line = "key RETURN", .verb = ScriptVerb::Key, .vk = VK_RETURN},
        {.line = "key escape", .verb = ScriptVerb::Key, .vk = VK_ESCAPE},
        {.line = "key BACK", .verb = ScriptVerb::Key, .vk = VK_BACK},
        {.line = "key a", .verb = ScriptVerb::Key, .vk = 'A'},
        {.line = "key 7", .verb = ScriptVerb::Key, .vk = '7'},
        {.line = "key ctrl+q", .verb = ScriptVerb::Key, .vk = 'Q', .modifiers = {.ctrl = true}},
        {.line = "key Shift+Alt+TAB",
         .verb = ScriptVerb::Key,
         .vk = VK_TAB,
         .modifiers = {.shift = true, .alt = true}},
        {.line = "type  salt & pepper  ", .verb = ScriptVerb::Type, .text = u"salt & pepper"},
        {.line = "type Grüße", .verb = ScriptVerb::Type, .text = u"Grüße"},
        {.line = "menu About Parlonda Diver...",
         .verb = ScriptVerb::Menu,
         .text = u"About Parlonda Diver..."},
        {.line = "ok", .verb = ScriptVerb::Ok},
        {.line = "cancel", .verb = ScriptVerb::Cancel},
        {.line = "set 1012 42", .verb = ScriptVerb::Set, .id = 1012, .text = u"42"},
        {.line = "set 1012", .verb = ScriptVerb::Set, .id = 1012, .text = u""},
        {.line = "select 1010 Courier New",
         .verb = ScriptVerb::Select,
         .id = 1010,
         .text = u"Courier New"},
        {.line = "shot out/first screen.PNG",
         .verb = ScriptVerb::Shot,
         .path = "out/first screen.PNG"},
        {.line = "state\r", .verb = ScriptVerb::State},
    };
    for (const auto& c : cases) {
        const ScriptCommand command = Parsed(c.line);
        EXPECT_EQ(command.verb, c.verb) << c.line;
        EXPECT_EQ(command.id, c.id) << c.line;
        EXPECT_EQ(command.x, c.x) << c.line;
        EXPECT_EQ(command.y, c.y) << c.line;
        EXPECT_EQ(command.vk, c.vk) << c.line;
        EXPECT_EQ(command.modifiers, c.modifiers) << c.line;
        EXPECT_TRUE(command.text == c.text) << c.line;
        EXPECT_EQ(command.path, c.path) << c.line;
    }
}

TEST(ParseScript, CommentsAndBlankLinesAreSkippedButCounted) {
    std::vector<ScriptCommand> commands;
    std::string error;
    ASSERT_TRUE(ParseScript("# start\n\nclick 1005\n   # the number\ntype 5\r\nkey RETURN",
                            &commands, &error))
        << error;
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[1].line, 5);
    EXPECT_EQ(commands[1].text, u"5");
    EXPECT_EQ(commands[2].line, 6);
    EXPECT_EQ(commands[2].source, "key RETURN");
}

TEST(ParseScript, ABadLineIsNamedAndNothingIsKept) {
    const struct {
        const char* line;
        const char* says;
    } cases[] = {
        {"jump 3", "unknown command 'jump'"},
        {"Click 1002", "unknown command 'Click'"},
        {"click", "click needs one control id"},
        {"click next", "'next' is not a control id"},
        {"click 1 2", "click needs one control id"},
        {"click 99999999999", "is not a control id"},
        {"tap 10", "tap needs two whole numbers"},
        {"tap 10 20 30", "tap needs two whole numbers"},
        {"tap 240 0", "lies outside the 240 x 320 screen"},
        {"tap 0 -1", "lies outside the 240 x 320 screen"},
        {"key", "key needs a key name"},
        {"key F13", "'F13' is no key"},
        {"key ctrl+", "'ctrl+' is no key"},
        {"key meta+q", "'meta' is not a modifier"},
        {"type", "type needs a text"},
        {"menu   ", "menu needs an item"},
        {"ok now", "ok takes no arguments"},
        {"state please", "state takes no arguments"},
        {"set", "set needs a control id and a text"},
        {"set field 3", "'field' is not a control id"},
        {"select 1010", "select needs the text of an entry"},
        {"shot", "shot needs a file name ending in .png"},
        {"shot screen.bmp", "shot needs a file name ending in .png"},
    };
    for (const auto& c : cases) {
        std::vector<ScriptCommand> commands{ScriptCommand{}};
        std::string error;
        const std::string script = std::string("state\n# then\n") + c.line + "\nstate\n";
        EXPECT_FALSE(ParseScript(script, &commands, &error)) << c.line;
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << c.line << " -> " << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.line << " -> " << error;
        EXPECT_TRUE(commands.empty()) << c.line;
    }
}

}  // namespace
}  // namespace platform
