#include "platform/base/RegText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

namespace platform {

namespace {

constexpr std::string_view kMarker = "REGEDIT4";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldAscii(text[i]) != FoldAscii(prefix[i]))
            return false;
    }
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A quoted string at the start of rest, with its escapes undone; rest then follows the closing
// quote. Nothing when the string is not closed.
std::optional<std::string> ReadQuoted(std::string_view& rest) {
    if (rest.empty() || rest.front() != '"')
        return std::nullopt;
    std::string out;
    std::size_t i = 1;
    while (i < rest.size()) {
        const char c = rest[i++];
        if (c == '"') {
            rest.remove_prefix(i);
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i == rest.size())
            return std::nullopt;
        switch (const char e = rest[i++]) {
            case '\\':
            case '"':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:  // a hand-written path such as "C:\dir": keep what was meant
                out += '\\';
                out += e;
                break;
        }
    }
    return std::nullopt;
}

std::optional<DWORD> ReadDword(std::string_view text) {
    constexpr std::string_view kPrefix = "dword:";
    if (!StartsWithNoCase(text, kPrefix))
        return std::nullopt;
    const std::string_view digits = TrimBlanks(text.substr(kPrefix.size()));
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    DWORD value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::string FormatValueLine(std::u16string_view name, const RegistryValue& value) {
    std::string line = name.empty() ? std::string("@") : '"' + EscapeRegistryString(name) + '"';
    line += '=';
    if (const auto* text = std::get_if<CString>(&value)) {
        line += '"' + EscapeRegistryString(text->View()) + '"';
    } else {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x",
                      static_cast<unsigned>(std::get<DWORD>(value)));
        line += buffer;
    }
    return line;
}

bool IsKeyPrefix(std::u16string_view key, std::u16string_view prefix) {
    return key.size() > prefix.size() && key[prefix.size()] == u'\\' &&
           RegistryNameEquals(key.substr(0, prefix.size()), prefix);
}

}  // namespace

bool RegistryNameEquals(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string EscapeRegistryString(std::u16string_view text) {
    const std::string utf8 = CString(text).ToUtf8();
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

RegText::RegText(std::string root) : m_root(std::move(root)) {}

std::optional<CString> RegText::ParseHeader(std::string_view line) const {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    const std::string_view inner = line.substr(1, line.size() - 2);
    if (!StartsWithNoCase(inner, m_root))
        return std::nullopt;
    const std::string_view rest = inner.substr(m_root.size());
    if (rest.empty())
        return CString();
    if (rest.front() != '\\')
        return std::nullopt;
    std::string_view key = rest.substr(1);
    if (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    return CString::FromUtf8(key);
}

std::string RegText::HeaderFor(std::u16string_view key) const {
    std::string header = '[' + m_root;
    if (!key.empty())
        header += '\\' + CString(key).ToUtf8();
    return header + ']';
}

RegText RegText::Parse(std::string root, std::string_view text) {
    RegText doc(std::move(root));
    if (text.substr(0, kBom.size()) == kBom)
        text.remove_prefix(kBom.size());

    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        const std::string_view trimmed = TrimBlanks(line);
        const bool wasFirst = std::exchange(first, false);
        if (trimmed.empty() || (wasFirst && trimmed == kMarker))
            continue;

        if (trimmed.front() == '[') {
            doc.m_sections.push_back(Section{std::string(trimmed), doc.ParseHeader(trimmed), {}});
            continue;
        }
        if (doc.m_sections.empty()) {
            doc.m_prelude.emplace_back(line);
            continue;
        }

        Entry entry{std::string(line), std::nullopt, std::nullopt};
        std::string_view rest = trimmed;
        std::optional<std::string> name;
        if (rest.front() == '@') {
            name.emplace();
            rest.remove_prefix(1);
        } else {
            name = ReadQuoted(rest);
        }
        rest = TrimBlanks(rest);
        if (name && !rest.empty() && rest.front() == '=') {
            entry.name = CString::FromUtf8(*name);
            rest = TrimBlanks(rest.substr(1));
            if (!rest.empty() && rest.front() == '"') {
                if (auto value = ReadQuoted(rest); value && TrimBlanks(rest).empty()) {
                    entry.value = CString::FromUtf8(*value);
                }
            } else if (auto number = ReadDword(rest)) {
                entry.value = *number;
            }
        }
        doc.m_sections.back().entries.push_back(std::move(entry));
    }
    return doc;
}

std::string RegText::Serialize() const {
    std::string out;
    out += kMarker;
    out += "\n\n";
    for (const std::string& line : m_prelude) {
        out += line;
        out += '\n';
    }
    if (!m_prelude.empty())
        out += '\n';
    for (const Section& section : m_sections) {
        out += section.header;
        out += '\n';
        for (const Entry& entry : section.entries) {
            if (entry.raw.empty()) {
                out += FormatValueLine(entry.name->View(), *entry.value);
            } else {
                out += entry.raw;
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

std::optional<RegistryValue> RegText::Find(std::u16string_view key,
                                           std::u16string_view name) const {
    // As an import would leave it: a later line overrides an earlier one.
    const Entry* found = nullptr;
    for (const Section& section : m_sections) {
        if (!section.key || !RegistryNameEquals(section.key->View(), key))
            continue;
        for (const Entry& entry : section.entries) {
            if (entry.name && RegistryNameEquals(entry.name->View(), name))
                found = &entry;
        }
    }
    if (found == nullptr)
        return std::nullopt;
    return found->value;
}

bool RegText::KeyExists(std::u16string_view key) const {
    if (key.empty())
        return true;
    return std::any_of(m_sections.begin(), m_sections.end(), [&](const Section& section) {
        return section.key && (RegistryNameEquals(section.key->View(), key) ||
                               IsKeyPrefix(section.key->View(), key));
    });
}

void RegText::Set(std::u16string_view key, std::u16string_view name, const RegistryValue& value) {
    Section* lastSection = nullptr;
    Entry* target = nullptr;
    for (Section& section : m_sections) {
        if (!section.key || !RegistryNameEquals(section.key->View(), key))
            continue;
        lastSection = &section;
        for (Entry& entry : section.entries) {
            if (entry.name && RegistryNameEquals(entry.name->View(), name))
                target = &entry;
        }
    }
    if (target != nullptr) {
        // The stored spelling of the name stays; earlier duplicates go, as they were overridden.
        target->raw.clear();
        target->value = value;
        for (Section& section : m_sections) {
            if (!section.key || !RegistryNameEquals(section.key->View(), key))
                continue;
            std::erase_if(section.entries, [&](const Entry& entry) {
                return &entry != target && entry.name &&
                       RegistryNameEquals(entry.name->View(), name);
            });
        }
        return;
    }
    if (lastSection == nullptr) {
        m_sections.push_back(Section{HeaderFor(key), CString(key), {}});
        lastSection = &m_sections.back();
    }
    lastSection->entries.push_back(Entry{std::string(), CString(name), value});
}

bool RegText::Remove(std::u16string_view key, std::u16string_view name) {
    bool removed = false;
    for (Section& section : m_sections) {
        if (!section.key || !RegistryNameEquals(section.key->View(), key))
            continue;
        removed |= std::erase_if(section.entries, [&](const Entry& entry) {
                       return entry.name && RegistryNameEquals(entry.name->View(), name);
                   }) > 0;
    }
    return removed;
}

bool RegText::IsValidKey(std::u16string_view key) {
    if (key.empty())
        return true;
    if (key.front() == u'\\' || key.back() == u'\\')
        return false;
    if (key.find(u"\\\\") != std::u16string_view::npos)
        return false;
    return std::none_of(key.begin(), key.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; });
}

}  // namespace platform
