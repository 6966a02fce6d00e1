#pragma once
// What the favourites and font tests read from a run of the reader: every state it printed,
// and the font settings it stored; and the settings a test stores before a run.

#include <cstdio>

#include "tests/reader/ui/ReaderTestSupport.h"

namespace readertest {

// Every state the program printed, in order, each by label; messages are left out.
inline std::vector<std::map<std::string, std::string>> States(const std::string& out) {
    std::vector<std::map<std::string, std::string>> states;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(": ");
        const std::string label = line.substr(0, colon);
        if (label == "window")
            states.emplace_back();
        if (label == "message" || states.empty() || colon == std::string::npos)
            continue;
        states.back()[label] = line.substr(colon + 2);
    }
    return states;
}

// A state as one line for comparing: "Favorites 3/4 Joke four." ("-" for no counter).
inline std::string Brief(const std::map<std::string, std::string>& state) {
    const auto window = state.find("window");
    const auto counter = state.find("counter");
    const auto text = state.find("text");
    return (window != state.end() ? window->second : "?") + " " +
           (counter != state.end() ? counter->second : "-") + " " +
           (text != state.end() ? text->second : "?");
}

inline std::string Dword(int value) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "dword:%08x", static_cast<unsigned>(value));
    return hex;
}

inline std::string SettingsKey() {
    return "[HKEY_CURRENT_USER\\Software\\Parlonda\\jokepad\\Settings]";
}

// A value of the reader's Settings section as the hive writes it ("\"Arial\"",
// "dword:0000000c"), or nothing.
inline std::optional<std::string> Setting(const ReaderFolder& reader, const std::string& name) {
    const std::string hive = ReadText(reader.Registry() / "user.reg");
    const std::size_t section = hive.find(SettingsKey());
    if (section == std::string::npos)
        return std::nullopt;
    const std::size_t end = hive.find("\n[", section + 1);
    const std::string body = hive.substr(section, end == std::string::npos ? end : end - section);
    const std::string entry = "\n\"" + name + "\"=";
    const std::size_t at = body.find(entry);
    if (at == std::string::npos)
        return std::nullopt;
    const std::size_t from = at + entry.size();
    return body.substr(from, body.find('\n', from) - from);
}

// Stores the face and the size, each when given, before the program runs.
inline void StoreFont(const ReaderFolder& reader, const std::optional<std::string>& face,
                      std::optional<int> size) {
    fs::create_directories(reader.Registry());
    std::string hive = "REGEDIT4\n\n" + SettingsKey() + "\n";
    if (face)
        hive += "\"FaceName\"=\"" + *face + "\"\n";
    if (size)
        hive += "\"FontSize\"=" + Dword(*size) + "\n";
    WriteText(reader.Registry() / "user.reg", hive);
}

}  // namespace readertest
