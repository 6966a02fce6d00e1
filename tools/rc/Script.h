#pragma once
// What a resource script defines, as the compiler holds it between reading and writing. It
// mirrors the platform's resource tables (platform/base/Resources.h); the compiler does not
// link the platform, so that it builds before everything else.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/rc/Error.h"

namespace rc {

// A resource name or type: a number, or a text kept upper-cased (ASCII and Latin-1 letters),
// the form the platform stores and compares.
struct Name {
    bool isNumber = true;
    std::uint16_t number = 0;
    std::u16string text;

    static Name Number(std::uint16_t n) { return {true, n, {}}; }
    static Name Text(std::u16string_view text);
    std::string ToString() const;  // for messages
    friend bool operator==(const Name&, const Name&) = default;
};

enum class ControlClass { Button, Edit, Static, ListBox, ScrollBar, ComboBox, Custom };

struct Control {
    ControlClass controlClass = ControlClass::Static;
    std::u16string className;
    std::u16string text;
    std::optional<std::uint16_t> textResource;
    std::int32_t id = -1;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0, exStyle = 0, helpId = 0;
};

struct Dialog {
    Name name;
    bool extended = false;
    std::uint32_t style = 0, exStyle = 0, helpId = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string caption;
    std::u16string fontName;
    std::uint16_t pointSize = 0, fontWeight = 0;
    bool fontItalic = false;
    std::uint8_t fontCharset = 0;
    std::vector<Control> controls;
};

struct MenuItem {
    std::u16string text;
    std::uint32_t id = 0;
    bool popup = false, separator = false, grayed = false, inactive = false, checked = false;
    bool menuBreak = false, menuBarBreak = false, help = false;
    std::vector<MenuItem> items;
};

struct Menu {
    Name name;
    std::vector<MenuItem> items;
};

struct Accelerator {
    std::uint16_t key = 0, command = 0;
    bool virtKey = false, shift = false, control = false, alt = false, noInvert = false;
};

struct AcceleratorTable {
    Name name;
    std::vector<Accelerator> entries;
};

struct VersionStringTable {
    std::u16string block;
    std::vector<std::pair<std::u16string, std::u16string>> values;
};

struct Version {
    Name name;
    std::array<std::uint16_t, 4> fileVersion{}, productVersion{};
    std::uint32_t fileFlagsMask = 0, fileFlags = 0, fileOS = 0, fileType = 0, fileSubtype = 0;
    std::vector<VersionStringTable> stringTables;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;
};

// A resource whose content is a file: a bitmap, an icon, or a user-defined type.
struct FileResource {
    Name type;  // unused for bitmaps and icons
    Name name;
    std::string path;
    std::string bytes;
};

struct Script {
    std::map<std::uint16_t, std::u16string> strings;
    std::vector<Dialog> dialogs;
    std::vector<Menu> menus;
    std::vector<AcceleratorTable> acceleratorTables;
    std::vector<FileResource> bitmaps;
    std::vector<FileResource> icons;
    std::vector<Version> versions;
    std::vector<FileResource> raw;
    std::vector<std::string> filesRead;  // the script, its includes and its data files
};

}  // namespace rc
