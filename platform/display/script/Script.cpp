#include "platform/display/script/Script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "platform/base/CString.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/VirtualKeys.h"

namespace platform {

namespace {

struct NamedKey {
    std::string_view name;
    unsigned vk;
};

constexpr NamedKey kKeys[] = {
    {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"TAB", VK_TAB},     {"BACK", VK_BACK},
    {"DELETE", VK_DELETE}, {"HOME", VK_HOME},     {"END", VK_END},     {"UP", VK_UP},
    {"DOWN", VK_DOWN},     {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT}, {"SPACE", VK_SPACE},
};

std::string Upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The first word and what follows the blank after it.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
    const std::size_t end = text.find_first_of(" \t");
    if (end == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, end), text.substr(end + 1)};
}

bool ParseInt(std::string_view text, int* value) {
    if (text.empty())
        return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, *value);
    return ec == std::errc() && ptr == last;
}

// Parses one command line (without its line break), or says what is wrong with it.
bool ParseLine(std::string_view line, ScriptCommand* command, std::string* error) {
    const std::string_view trimmed = TrimBlanks(line);
    const auto [verb, rest] = SplitWord(trimmed);
    // Arguments, and texts, run from the first non-blank after the verb to the line's last.
    const std::string_view args = TrimBlanks(rest);
    const std::string_view text = args;

    const auto noArguments = [&](ScriptVerb v) {
        if (!args.empty()) {
            *error = std::string(verb) + " takes no arguments";
            return false;
        }
        command->verb = v;
        return true;
    };
    const auto controlId = [&](std::string_view word) {
        if (!ParseInt(word, &command->id)) {
            *error = std::string(verb) + ": '" + std::string(word) + "' is not a control id";
            return false;
        }
        return true;
    };

    if (verb == "click") {
        if (args.empty() || args.find_first_of(" \t") != std::string_view::npos) {
            *error = "click needs one control id: click ID";
            return false;
        }
        command->verb = ScriptVerb::Click;
        return controlId(args);
    }
    if (verb == "tap") {
        const auto [xs, ys] = SplitWord(args);
        if (!ParseInt(xs, &command->x) || !ParseInt(TrimBlanks(ys), &command->y)) {
            *error = "tap needs two whole numbers: tap X Y";
            return false;
        }
        if (!ScreenBounds().PtInRect(CPoint(command->x, command->y))) {
            *error = "tap: " + std::to_string(command->x) + " " + std::to_string(command->y) +
                     " lies outside the " + std::to_string(kScreenWidth) + " x " +
                     std::to_string(kScreenHeight) + " screen";
            return false;
        }
        command->verb = ScriptVerb::Tap;
        return true;
    }
    if (verb == "key") {
        if (args.empty()) {
            *error = "key needs a key name: key RETURN, key a, key ctrl+q";
            return false;
        }
        std::string_view name = args;
        for (;;) {
            const std::size_t plus = name.find('+');
            if (plus == std::string_view::npos || plus + 1 == name.size())
                break;
            const std::string modifier = Upper(name.substr(0, plus));
            if (modifier == "CTRL") {
                command->modifiers.ctrl = true;
            } else if (modifier == "SHIFT") {
                command->modifiers.shift = true;
            } else if (modifier == "ALT") {
                command->modifiers.alt = true;
            } else {
                *error = "key: '" + std::string(name.substr(0, plus)) +
                         "' is not a modifier (ctrl, shift or alt)";
                return false;
            }
            name.remove_prefix(plus + 1);
        }
        command->vk = KeyFromName(name);
        if (command->vk == 0) {
            *error = "key: '" + std::string(name) +
                     "' is no key; use RETURN, ESCAPE, TAB, BACK, DELETE, HOME, END, UP, DOWN, "
                     "LEFT, RIGHT, SPACE, a letter or a digit";
            return false;
        }
        command->verb = ScriptVerb::Key;
        return true;
    }
    if (verb == "type" || verb == "menu") {
        if (text.empty()) {
            *error = std::string(verb) +
                     (verb == "type" ? " needs a text: type TEXT" : " needs an item: menu ITEM");
            return false;
        }
        command->verb = verb == "type" ? ScriptVerb::Type : ScriptVerb::Menu;
        command->text = std::u16string(CString::FromUtf8(std::string(text)).View());
        return true;
    }
    if (verb == "set" || verb == "select") {
        const auto [idWord, rawValue] = SplitWord(text);
        const std::string_view value = TrimBlanks(rawValue);
        if (idWord.empty()) {
            *error = std::string(verb) + " needs a control id and a text: " + std::string(verb) +
                     " ID TEXT";
            return false;
        }
        command->verb = verb == "set" ? ScriptVerb::Set : ScriptVerb::Select;
        if (!controlId(idWord))
            return false;
        command->text = std::u16string(CString::FromUtf8(std::string(value)).View());
        if (command->verb == ScriptVerb::Select && command->text.empty()) {
            *error = "select needs the text of an entry: select ID TEXT";
            return false;
        }
        return true;
    }
    if (verb == "shot") {
        const std::string path(TrimBlanks(text));
        if (path.size() < 5 || Upper(path.substr(path.size() - 4)) != ".PNG") {
            *error = "shot needs a file name ending in .png: shot FILE.png";
            return false;
        }
        command->verb = ScriptVerb::Shot;
        command->path = path;
        return true;
    }
    if (verb == "ok")
        return noArguments(ScriptVerb::Ok);
    if (verb == "cancel")
        return noArguments(ScriptVerb::Cancel);
    if (verb == "state")
        return noArguments(ScriptVerb::State);
    *error = "unknown command '" + std::string(verb) +
             "'; the commands are click, tap, key, type, menu, ok, cancel, set, select, shot "
             "and state";
    return false;
}

}  // namespace

unsigned KeyFromName(std::string_view name) {
    const std::string upper = Upper(name);
    for (const NamedKey& key : kKeys) {
        if (upper == key.name)
            return key.vk;
    }
    if (upper.size() == 1 &&
        ((upper[0] >= 'A' && upper[0] <= 'Z') || (upper[0] >= '0' && upper[0] <= '9')))
        return static_cast<unsigned char>(upper[0]);
    return 0;
}

bool ParseScript(std::string_view text, std::vector<ScriptCommand>* commands, std::string* error) {
    std::vector<ScriptCommand> parsed;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == '#')
            continue;
        ScriptCommand command;
        command.line = lineNumber;
        command.source = std::string(trimmed);
        std::string problem;
        if (!ParseLine(line, &command, &problem)) {
            *error = "line " + std::to_string(lineNumber) + ": " + problem;
            commands->clear();
            return false;
        }
        parsed.push_back(std::move(command));
    }
    *commands = std::move(parsed);
    return true;
}

}  // namespace platform
