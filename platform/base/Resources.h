#pragma once
// The program's resources: tables that the resource compiler (tools/rc) generates from a
// resource script at build time, or that a test builds at run time. The platform reads them
// only through the loaders below, so a dialog, menu or string is defined in one place, the
// script, as a platform developer expects.

#include <array>
#include <compare>
#include <concepts>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/Types.h"

// A resource's name or type: a 16-bit number or a text. A text is kept upper-cased (ASCII and
// Latin-1 letters), as the platform stores it, so that lookups ignore letter case.
class ResourceId {
public:
    ResourceId() = default;  // the number 0
    // Any integer, cut to 16 bits as the platform's MAKEINTRESOURCE does.
    template <std::integral T>
    ResourceId(T number)  // NOLINT(google-explicit-constructor): ids are passed as plain numbers
        : m_number(static_cast<WORD>(number)) {}
    ResourceId(const char* name);          // NOLINT(google-explicit-constructor): UTF-8; null is ""
    ResourceId(std::string_view name);     // NOLINT(google-explicit-constructor)
    ResourceId(const std::string& name);   // NOLINT(google-explicit-constructor)
    ResourceId(const char16_t* name);      // NOLINT(google-explicit-constructor): null is ""
    ResourceId(std::u16string_view name);  // NOLINT(google-explicit-constructor)
    ResourceId(const std::u16string& name);  // NOLINT(google-explicit-constructor)

    bool IsNumber() const { return !m_isName; }
    WORD Number() const { return m_number; }               // 0 for a name
    const std::u16string& Name() const { return m_name; }  // upper-cased; empty for a number
    std::string NameUtf8() const;
    std::string ToString() const;  // the name, or the number in decimal

    friend bool operator==(const ResourceId& a, const ResourceId& b) = default;
    // The order of the platform's resource directory: names first, sorted by UTF-16 code
    // unit, then numbers, ascending.
    friend std::strong_ordering operator<=>(const ResourceId& a, const ResourceId& b);

private:
    bool m_isName = false;
    WORD m_number = 0;
    std::u16string m_name;
};

inline ResourceId MAKEINTRESOURCE(WORD id) {
    return ResourceId(id);
}

// The platform's numbered resource types.
inline constexpr WORD RT_BITMAP = 2;
inline constexpr WORD RT_MENU = 4;
inline constexpr WORD RT_DIALOG = 5;
inline constexpr WORD RT_STRING = 6;
inline constexpr WORD RT_ACCELERATOR = 9;
inline constexpr WORD RT_RCDATA = 10;
inline constexpr WORD RT_GROUP_ICON = 14;
inline constexpr WORD RT_VERSION = 16;

// The bytes of a resource: either static data of the generated tables, borrowed for the life
// of the program, or bytes the resource owns (modules built at run time). Copies share them.
class ResourceBytes {
public:
    ResourceBytes() = default;
    static ResourceBytes Borrow(std::span<const BYTE> bytes);
    static ResourceBytes Own(std::vector<BYTE> bytes);
    std::span<const BYTE> Span() const { return m_view; }

private:
    std::shared_ptr<const std::vector<BYTE>> m_owned;
    std::span<const BYTE> m_view;
};

// The predefined control classes of a dialog template; Custom names its class in className.
enum class DialogControlClass { Button, Edit, Static, ListBox, ScrollBar, ComboBox, Custom };

struct DialogItemTemplate {
    DialogControlClass controlClass = DialogControlClass::Static;
    std::u16string className{};  // "Button", "Edit", ... or the custom class ("msctls_updown32")
    std::u16string text{};
    // Set when the item names a resource instead of a text: a static's bitmap or icon picture.
    std::optional<WORD> textResource{};
    int id = -1;                         // -1: the unnamed id
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
};

struct DialogTemplate {
    ResourceId name{};
    bool extended = false;  // written as DIALOGEX
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::u16string caption{};
    std::u16string fontName{};  // empty: no font given (no DS_SETFONT)
    WORD pointSize = 0;
    WORD fontWeight = 0;
    bool fontItalic = false;
    BYTE fontCharset = 0;
    std::vector<DialogItemTemplate> items{};  // in template order: tab and z-order
};

struct MenuItemTemplate {
    std::u16string text{};  // with '&' before the mnemonic, '\t' before a shortcut
    UINT id = 0;
    bool popup = false;  // a pop-up; its items are in `items`
    bool separator = false;
    bool grayed = false;
    bool inactive = false;
    bool checked = false;
    bool menuBreak = false;
    bool menuBarBreak = false;
    bool help = false;
    std::vector<MenuItemTemplate> items{};
};

struct MenuTemplate {
    ResourceId name{};
    std::vector<MenuItemTemplate> items{};  // the menu bar's entries
};

struct AcceleratorEntry {
    WORD key = 0;  // a virtual-key code when virtKey, else a character code
    WORD command = 0;
    bool virtKey = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool noInvert = false;
};

struct AcceleratorTable {
    ResourceId name{};
    std::vector<AcceleratorEntry> entries{};
};

struct VersionStringTable {
    std::u16string block{};  // language and code page in hexadecimal, "040904b0"
    std::vector<std::pair<std::u16string, std::u16string>> values{};  // in script order
};

struct VersionInfo {
    ResourceId name{1};
    std::array<WORD, 4> fileVersion{};  // most significant first: 1,0,0,1
    std::array<WORD, 4> productVersion{};
    DWORD fileFlagsMask = 0;
    DWORD fileFlags = 0;
    DWORD fileOS = 0;
    DWORD fileType = 0;
    DWORD fileSubtype = 0;
    std::vector<VersionStringTable> stringTables{};
    std::vector<std::pair<WORD, WORD>> translations{};  // language, code page

    // The value of key in the first string table that has it (keys compared exactly).
    std::optional<std::u16string_view> Value(std::u16string_view key) const;
};

// A bitmap (the bytes of its .bmp file) or an icon group (the bytes of its .ico file).
struct ImageResource {
    ResourceId name{};
    ResourceBytes bytes{};
};

// A resource of a user-defined type, or RT_RCDATA: the bytes of the file the script names.
struct RawResource {
    ResourceId type{};
    ResourceId name{};
    ResourceBytes bytes{};
};

// All resources of one program. The generated code builds one at first use; tests build their
// own. Lookups ignore letter case in names; where a module holds two resources of one type and
// name, the first counts.
struct ResourceModule {
    std::map<WORD, std::u16string> strings{};
    std::vector<DialogTemplate> dialogs{};
    std::vector<MenuTemplate> menus{};
    std::vector<AcceleratorTable> acceleratorTables{};
    std::vector<ImageResource> bitmaps{};
    std::vector<ImageResource> icons{};
    std::vector<VersionInfo> versions{};
    std::vector<RawResource> raw{};

    // Empty strings count as absent, as the platform stores no length-0 string.
    std::optional<std::u16string_view> FindString(UINT id) const;
    const DialogTemplate* FindDialog(const ResourceId& name) const;
    const MenuTemplate* FindMenu(const ResourceId& name) const;
    const AcceleratorTable* FindAccelerators(const ResourceId& name) const;
    const ImageResource* FindBitmap(const ResourceId& name) const;
    const ImageResource* FindIcon(const ResourceId& name) const;
    const VersionInfo* FindVersion(const ResourceId& name) const;
    const RawResource* FindRaw(const ResourceId& type, const ResourceId& name) const;

    // The names of the resources of a type, each once, in the platform's order (names sorted,
    // then numbers ascending). RT_STRING gives the string blocks: id / 16 + 1.
    std::vector<ResourceId> Names(const ResourceId& type) const;
};

// The module the loaders read; none until the program sets one (the loaders then find
// nothing). Set it once at start, before any window is made.
void AfxSetResourceModule(const ResourceModule* module);
const ResourceModule* AfxGetResourceModule();

// The string-table entry nID of the current resource module, or nothing when it has none.
std::optional<std::u16string_view> AfxLoadStringResource(UINT nID);
// Loaders of the current module; null, or nothing, when it has no such resource. The results
// live as long as the module.
const DialogTemplate* AfxLoadDialogTemplate(const ResourceId& name);
const MenuTemplate* AfxLoadMenuTemplate(const ResourceId& name);
const AcceleratorTable* AfxLoadAcceleratorTable(const ResourceId& name);
std::optional<std::span<const BYTE>> AfxLoadBitmapResource(const ResourceId& name);  // .bmp
std::optional<std::span<const BYTE>> AfxLoadIconResource(const ResourceId& name);    // .ico
const VersionInfo* AfxLoadVersionInfo();  // version record 1

// The platform's raw-resource interface, for user-defined types and RT_RCDATA. A null module
// handle means the current resource module.
using HMODULE = const ResourceModule*;
using HINSTANCE = HMODULE;
using HRSRC = const RawResource*;
using HGLOBAL = const RawResource*;

HRSRC FindResource(HMODULE hModule, const ResourceId& name, const ResourceId& type);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);  // null when hResInfo is null
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);  // 0 when hResInfo is null
const void* LockResource(HGLOBAL hResData);             // valid while the module lives
// The same bytes as one span.
std::span<const BYTE> LoadResourceBytes(HMODULE hModule, HRSRC hResInfo);

// Called once per name, in the platform's order; returns TRUE to go on, FALSE to stop.
using ENUMRESNAMEPROC = BOOL (*)(HMODULE hModule, const ResourceId& type, const ResourceId& name,
                                 LPARAM lParam);
// TRUE when the type has resources and every call returned TRUE; FALSE when it has none or a
// call stopped the walk.
BOOL EnumResourceNames(HMODULE hModule, const ResourceId& type, ENUMRESNAMEPROC lpEnumFunc,
                       LPARAM lParam);
