#pragma once
// The text form of one registry hive file ("REGEDIT4", then [key] sections with one value a
// line), parsed into a model that can be changed and written back. Lines the parser does not
// understand are kept verbatim in their place, so that a damaged or hand-edited hive loses
// nothing when we write it again.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Types.h"

namespace platform {

// A value as the registry holds it: a string (REG_SZ) or a 32-bit number (REG_DWORD).
using RegistryValue = std::variant<CString, DWORD>;

// Key and value names compare without regard to ASCII letter case, as on the platform.
bool RegistryNameEquals(std::u16string_view a, std::u16string_view b);

// The "name"="text" escapes: backslash, quote, and line breaks (so that a value stays on its
// line). Parsing is lenient: an unknown escape keeps its backslash.
std::string EscapeRegistryString(std::u16string_view text);

class RegText {
public:
    // root is the hive's name as written in section headers, e.g. "HKEY_CURRENT_USER".
    explicit RegText(std::string root);

    // Reads the text of a hive file. Never fails: what cannot be understood is kept as is.
    static RegText Parse(std::string root, std::string_view text);
    std::string Serialize() const;

    // key is a path below the root, components separated by a backslash ("" is the root).
    std::optional<RegistryValue> Find(std::u16string_view key, std::u16string_view name) const;
    // A key exists when it has a section of its own or a section below it.
    bool KeyExists(std::u16string_view key) const;
    void Set(std::u16string_view key, std::u16string_view name, const RegistryValue& value);
    // False when there was no such value.
    bool Remove(std::u16string_view key, std::u16string_view name);

    // A key path we can write: no empty component, no control character; "" is the root.
    static bool IsValidKey(std::u16string_view key);

private:
    struct Entry {
        std::string raw;                     // the line as read, written back when value is empty
        std::optional<CString> name;         // known when the line names a value
        std::optional<RegistryValue> value;  // known when the value has a type we read
    };
    struct Section {
        std::string header;          // the line as read
        std::optional<CString> key;  // below our root; empty for a section of another root
        std::vector<Entry> entries;
    };

    std::optional<CString> ParseHeader(std::string_view line) const;
    std::string HeaderFor(std::u16string_view key) const;

    std::string m_root;
    std::vector<std::string> m_prelude;  // lines before the first section, other than the marker
    std::vector<Section> m_sections;
};

}  // namespace platform
