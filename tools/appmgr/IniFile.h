#pragma once
// The INI text form the descriptor and the setup description share: "[section]" lines, then
// "key = value" lines (blanks around "=" do not count) or, in list sections of a setup
// description, lines without a key. Lines end in CR LF or LF; lines starting with ";" are
// comments. Section and key names ignore letter case; the first of repeated keys counts.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace appmgr {

class IniError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct IniEntry {
    std::string key;  // empty for a line without "="
    std::string value;
    int line = 0;
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
    int line = 0;
};

class IniFile {
public:
    // Throws IniError, naming the line, for a section header without its "]" or a line
    // before the first section.
    static IniFile Parse(std::string_view text);

    const std::vector<IniSection>& Sections() const { return m_sections; }
    const IniSection* Section(std::string_view name) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

private:
    std::vector<IniSection> m_sections;
};

// Splits a value at the commas outside double quotes; each field is trimmed of blanks and, when
// it is quoted as a whole, loses its quotes: `"HPC", "JUPITER"` gives HPC and JUPITER. An empty
// value has no fields; an empty field between commas is kept.
std::vector<std::string> SplitFields(std::string_view value);

}  // namespace appmgr
