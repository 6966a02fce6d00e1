#include "tools/appmgr/IniFile.h"

#include <algorithm>

#include "tools/appmgr/TextCase.h"

namespace appmgr {

IniFile IniFile::Parse(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    IniFile file;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        line = TrimBlanks(line);
        if (line.empty() || line.starts_with(';')) {
            continue;
        }
        const std::string where = "line " + std::to_string(number);
        if (line.starts_with('[')) {
            if (!line.ends_with(']')) {
                throw IniError(where + ": a section name without its closing \"]\"");
            }
            file.m_sections.push_back(
                {std::string(TrimBlanks(line.substr(1, line.size() - 2))), {}, number});
            continue;
        }
        if (file.m_sections.empty()) {
            throw IniError(where + ": text before the first section");
        }
        IniEntry entry;
        entry.line = number;
        const auto equals = line.find('=');
        const auto quote = line.find('"');
        // A quoted field may hold "=", so only an "=" before any quote separates a key.
        if (equals != std::string_view::npos &&
            (quote == std::string_view::npos || equals < quote)) {
            entry.key = TrimBlanks(line.substr(0, equals));
            entry.value = TrimBlanks(line.substr(equals + 1));
            if (entry.key.empty()) {
                throw IniError(where + ": a value without a key");
            }
        } else {
            entry.value = line;
        }
        file.m_sections.back().entries.push_back(std::move(entry));
    }
    return file;
}

const IniSection* IniFile::Section(std::string_view name) const {
    const auto it = std::find_if(m_sections.begin(), m_sections.end(), [&](const IniSection& s) {
        return EqualsIgnoringCase(s.name, name);
    });
    return it == m_sections.end() ? nullptr : &*it;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    // A section may be repeated; its keys then count as one section's, first one first.
    for (const IniSection& s : m_sections) {
        if (!EqualsIgnoringCase(s.name, section)) {
            continue;
        }
        for (const IniEntry& entry : s.entries) {
            if (!entry.key.empty() && EqualsIgnoringCase(entry.key, key)) {
                return entry.value;
            }
        }
    }
    return std::nullopt;
}

std::vector<std::string> SplitFields(std::string_view value) {
    std::vector<std::string> fields;
    if (TrimBlanks(value).empty()) {
        return fields;
    }
    auto finish = [&](std::string_view raw) {
        raw = TrimBlanks(raw);
        if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') {
            raw = raw.substr(1, raw.size() - 2);
        }
        fields.emplace_back(raw);
    };
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"') {
            inQuotes = !inQuotes;
        } else if (value[i] == ',' && !inQuotes) {
            finish(value.substr(start, i - start));
            start = i + 1;
        }
    }
    finish(value.substr(start));
    return fields;
}

}  // namespace appmgr
