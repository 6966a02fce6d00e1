#include "tools/rc/CodeWriter.h"

#include <cstdio>
#include <sstream>

namespace rc {
namespace {

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", value);
    return buffer;
}

std::string NameExpr(const Name& name) {
    if (name.isNumber)
        return "ResourceId(" + std::to_string(name.number) + ")";
    return "ResourceId(" + Utf16Literal(name.text) + ")";
}

std::string Bool(bool value) {
    return value ? "true" : "false";
}

const char* ClassExpr(ControlClass controlClass) {
    switch (controlClass) {
        case ControlClass::Button:
            return "DialogControlClass::Button";
        case ControlClass::Edit:
            return "DialogControlClass::Edit";
        case ControlClass::Static:
            return "DialogControlClass::Static";
        case ControlClass::ListBox:
            return "DialogControlClass::ListBox";
        case ControlClass::ScrollBar:
            return "DialogControlClass::ScrollBar";
        case ControlClass::ComboBox:
            return "DialogControlClass::ComboBox";
        case ControlClass::Custom:
            break;
    }
    return "DialogControlClass::Custom";
}

class Writer {
public:
    Writer(const Script& script, std::ostringstream& out) : m_script(script), m_out(out) {}

    void Data() {
        // Every file's bytes as one string literal; the tables borrow them for the life of the
        // program. A literal, not a list of numbers: compilers read a literal of many megabytes
        // (a program that an installer carries) in seconds, and a list of as many numbers in
        // minutes and gigabytes.
        int index = 0;
        for (const auto* list : {&m_script.bitmaps, &m_script.icons, &m_script.raw}) {
            for (const FileResource& file : *list) {
                const std::string symbol = "kFile" + std::to_string(index++);
                m_symbols.push_back(symbol);
                if (file.bytes.empty())
                    continue;
                m_out << "// " << file.path << "\n";
                m_out << "alignas(8) const char " << symbol << "[" << file.bytes.size() + 1
                      << "] =\n";
                for (std::size_t i = 0; i < file.bytes.size(); i += 64) {
                    const std::size_t end = std::min(file.bytes.size(), i + 64);
                    m_out << '"';
                    for (std::size_t j = i; j < end; ++j) {
                        const auto c = static_cast<unsigned char>(file.bytes[j]);
                        // Octal escapes take at most three digits, so a digit after one stays a
                        // character of its own; '?' is escaped against trigraphs.
                        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
                            m_out << static_cast<char>(c);
                        } else {
                            char escape[5];
                            std::snprintf(escape, sizeof escape, "\\%03o", c);
                            m_out << escape;
                        }
                    }
                    m_out << "\"\n";
                }
                m_out << ";\n\n";
            }
        }
    }

    void Module() {
        Strings();
        Dialogs();
        Menus();
        Accelerators();
        Files();
        Versions();
    }

private:
    std::string Bytes(const FileResource& file, std::size_t index) {
        if (file.bytes.empty())
            return "ResourceBytes()";
        // Without the literal's terminating zero.
        return "ResourceBytes::Borrow(std::span<const BYTE>(reinterpret_cast<const BYTE*>(" +
               m_symbols[index] + "), " + std::to_string(file.bytes.size()) + "))";
    }

    void Strings() {
        if (m_script.strings.empty())
            return;
        m_out << "    m.strings = {\n";
        for (const auto& [id, text] : m_script.strings)
            m_out << "        {" << id << ", " << Utf16Literal(text) << "},\n";
        m_out << "    };\n";
    }

    void Dialogs() {
        for (const Dialog& d : m_script.dialogs) {
            m_out << "    m.dialogs.push_back(DialogTemplate{\n"
                  << "        .name = " << NameExpr(d.name) << ",\n"
                  << "        .extended = " << Bool(d.extended) << ",\n"
                  << "        .style = " << Hex(d.style) << ",\n"
                  << "        .exStyle = " << Hex(d.exStyle) << ",\n"
                  << "        .helpId = " << d.helpId << ",\n"
                  << "        .x = " << d.x << ", .y = " << d.y << ", .cx = " << d.cx
                  << ", .cy = " << d.cy << ",\n"
                  << "        .caption = " << Utf16Literal(d.caption) << ",\n"
                  << "        .fontName = " << Utf16Literal(d.fontName) << ",\n"
                  << "        .pointSize = " << d.pointSize << ",\n"
                  << "        .fontWeight = " << d.fontWeight << ",\n"
                  << "        .fontItalic = " << Bool(d.fontItalic) << ",\n"
                  << "        .fontCharset = " << static_cast<unsigned>(d.fontCharset) << ",\n"
                  << "        .items = {\n";
            for (const Control& c : d.controls) {
                m_out << "            {.controlClass = " << ClassExpr(c.controlClass)
                      << ", .className = " << Utf16Literal(c.className)
                      << ",\n             .text = " << Utf16Literal(c.text) << ", .textResource = ";
                if (c.textResource)
                    m_out << "WORD{" << *c.textResource << "}";
                else
                    m_out << "std::nullopt";
                m_out << ", .id = " << c.id << ",\n             .x = " << c.x << ", .y = " << c.y
                      << ", .cx = " << c.cx << ", .cy = " << c.cy << ", .style = " << Hex(c.style)
                      << ", .exStyle = " << Hex(c.exStyle) << ", .helpId = " << c.helpId << "},\n";
            }
            m_out << "        },\n    });\n";
        }
    }

    void MenuItems(const std::vector<MenuItem>& items, const std::string& indent) {
        for (const MenuItem& item : items) {
            m_out << indent << "{.text = " << Utf16Literal(item.text) << ", .id = " << item.id
                  << ", .popup = " << Bool(item.popup) << ", .separator = " << Bool(item.separator)
                  << ", .grayed = " << Bool(item.grayed) << ", .inactive = " << Bool(item.inactive)
                  << ",\n"
                  << indent << " .checked = " << Bool(item.checked)
                  << ", .menuBreak = " << Bool(item.menuBreak)
                  << ", .menuBarBreak = " << Bool(item.menuBarBreak)
                  << ", .help = " << Bool(item.help) << ", .items = {";
            if (item.items.empty()) {
                m_out << "}},\n";
            } else {
                m_out << "\n";
                MenuItems(item.items, indent + "    ");
                m_out << indent << "}},\n";
            }
        }
    }

    void Menus() {
        for (const Menu& menu : m_script.menus) {
            m_out << "    m.menus.push_back(MenuTemplate{\n"
                  << "        .name = " << NameExpr(menu.name) << ",\n"
                  << "        .items = {\n";
            MenuItems(menu.items, "            ");
            m_out << "        },\n    });\n";
        }
    }

    void Accelerators() {
        for (const AcceleratorTable& table : m_script.acceleratorTables) {
            m_out << "    m.acceleratorTables.push_back(AcceleratorTable{\n"
                  << "        .name = " << NameExpr(table.name) << ",\n"
                  << "        .entries = {\n";
            for (const Accelerator& a : table.entries) {
                m_out << "            {.key = " << a.key << ", .command = " << a.command
                      << ", .virtKey = " << Bool(a.virtKey) << ", .shift = " << Bool(a.shift)
                      << ", .control = " << Bool(a.control) << ", .alt = " << Bool(a.alt)
                      << ", .noInvert = " << Bool(a.noInvert) << "},\n";
            }
            m_out << "        },\n    });\n";
        }
    }

    void Files() {
        std::size_t index = 0;
        for (const FileResource& file : m_script.bitmaps) {
            m_out << "    m.bitmaps.push_back(ImageResource{" << NameExpr(file.name) << ", "
                  << Bytes(file, index++) << "});\n";
        }
        for (const FileResource& file : m_script.icons) {
            m_out << "    m.icons.push_back(ImageResource{" << NameExpr(file.name) << ", "
                  << Bytes(file, index++) << "});\n";
        }
        for (const FileResource& file : m_script.raw) {
            m_out << "    m.raw.push_back(RawResource{" << NameExpr(file.type) << ", "
                  << NameExpr(file.name) << ", " << Bytes(file, index++) << "});\n";
        }
    }

    static std::string Version4(const std::array<std::uint16_t, 4>& parts) {
        return "{" + std::to_string(parts[0]) + ", " + std::to_string(parts[1]) + ", " +
               std::to_string(parts[2]) + ", " + std::to_string(parts[3]) + "}";
    }

    void Versions() {
        for (const Version& v : m_script.versions) {
            m_out << "    m.versions.push_back(VersionInfo{\n"
                  << "        .name = " << NameExpr(v.name) << ",\n"
                  << "        .fileVersion = {" << Version4(v.fileVersion) << "},\n"
                  << "        .productVersion = {" << Version4(v.productVersion) << "},\n"
                  << "        .fileFlagsMask = " << Hex(v.fileFlagsMask) << ",\n"
                  << "        .fileFlags = " << Hex(v.fileFlags) << ",\n"
                  << "        .fileOS = " << Hex(v.fileOS) << ",\n"
                  << "        .fileType = " << Hex(v.fileType) << ",\n"
                  << "        .fileSubtype = " << Hex(v.fileSubtype) << ",\n"
                  << "        .stringTables = {\n";
            for (const VersionStringTable& table : v.stringTables) {
                m_out << "            {.block = " << Utf16Literal(table.block)
                      << ",\n             .values = {\n";
                for (const auto& [key, value] : table.values)
                    m_out << "                 {" << Utf16Literal(key) << ", "
                          << Utf16Literal(value) << "},\n";
                m_out << "             }},\n";
            }
            m_out << "        },\n        .translations = {";
            for (const auto& [language, codePage] : v.translations)
                m_out << "{" << Hex(language) << ", " << codePage << "}, ";
            m_out << "},\n    });\n";
        }
    }

    const Script& m_script;
    std::ostringstream& m_out;
    std::vector<std::string> m_symbols;
};

}  // namespace

std::string Utf16Literal(std::u16string_view text) {
    std::string out = "u\"";
    char buffer[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0x80) {
            // Octal escapes end after three digits, so a digit after them stays a digit.
            std::snprintf(buffer, sizeof buffer, "\\%03o", static_cast<unsigned>(c));
            out += buffer;
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                   text[i + 1] <= 0xDFFF) {
            const char32_t cp = 0x10000 + ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
            std::snprintf(buffer, sizeof buffer, "\\U%08X", static_cast<unsigned>(cp));
            out += buffer;
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // A lone surrogate has no universal-character name; a hexadecimal escape, ended by
            // closing the literal, keeps it.
            std::snprintf(buffer, sizeof buffer, "\\x%04X", static_cast<unsigned>(c));
            out += buffer;
            out += "\" u\"";
        } else {
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    out += '"';
    return out;
}

std::string WriteModule(const Script& script, const std::string& function,
                        const std::string& scriptName) {
    std::ostringstream out;
    out << "// Generated by jokepad-rc from " << scriptName
        << ". Edit the script, not this file.\n\n"
        << "#include \"platform/base/Resources.h\"\n\n"
        << "// The files' bytes are string literals longer than the language promises to take.\n"
        << "#pragma GCC diagnostic ignored \"-Woverlength-strings\"\n\n"
        << "namespace {\n\n";
    Writer writer(script, out);
    writer.Data();
    out << "ResourceModule Make" << function << "() {\n"
        << "    ResourceModule m;\n";
    writer.Module();
    out << "    return m;\n"
        << "}\n\n"
        << "}  // namespace\n\n"
        << "const ResourceModule& " << function << "() {\n"
        << "    static const ResourceModule module = Make" << function << "();\n"
        << "    return module;\n"
        << "}\n";
    return std::move(out).str();
}

}  // namespace rc
