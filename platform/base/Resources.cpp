#include "platform/base/Resources.h"

#include <algorithm>
#include <atomic>
#include <set>

#include "platform/base/CString.h"
#include "platform/base/Utf.h"

namespace {

std::u16string UpperCased(std::u16string_view name) {
    CString text(name);
    text.MakeUpper();
    return std::move(text.Str());
}

template <class T>
const T* FindByName(const std::vector<T>& list, const ResourceId& name) {
    const auto it =
        std::find_if(list.begin(), list.end(), [&](const T& entry) { return entry.name == name; });
    return it == list.end() ? nullptr : &*it;
}

template <class T>
void AddNames(const std::vector<T>& list, std::set<ResourceId>& names) {
    for (const T& entry : list)
        names.insert(entry.name);
}

std::atomic<const ResourceModule*> g_module{nullptr};

const ResourceModule* ModuleOrCurrent(HMODULE hModule) {
    return hModule ? hModule : AfxGetResourceModule();
}

}  // namespace

ResourceId::ResourceId(const char* name) : ResourceId(std::string_view(name ? name : "")) {}

ResourceId::ResourceId(std::string_view name)
    : m_isName(true), m_name(UpperCased(platform::Utf8ToUtf16(name))) {}

ResourceId::ResourceId(const std::string& name) : ResourceId(std::string_view(name)) {}

ResourceId::ResourceId(const char16_t* name) : ResourceId(std::u16string_view(name ? name : u"")) {}

ResourceId::ResourceId(std::u16string_view name) : m_isName(true), m_name(UpperCased(name)) {}

ResourceId::ResourceId(const std::u16string& name) : ResourceId(std::u16string_view(name)) {}

std::string ResourceId::NameUtf8() const {
    return platform::Utf16ToUtf8(m_name);
}

std::string ResourceId::ToString() const {
    return m_isName ? NameUtf8() : std::to_string(m_number);
}

std::strong_ordering operator<=>(const ResourceId& a, const ResourceId& b) {
    if (a.m_isName != b.m_isName)
        return a.m_isName ? std::strong_ordering::less : std::strong_ordering::greater;
    if (a.m_isName)
        return a.m_name.compare(b.m_name) <=> 0;
    return a.m_number <=> b.m_number;
}

ResourceBytes ResourceBytes::Borrow(std::span<const BYTE> bytes) {
    ResourceBytes result;
    result.m_view = bytes;
    return result;
}

ResourceBytes ResourceBytes::Own(std::vector<BYTE> bytes) {
    ResourceBytes result;
    result.m_owned = std::make_shared<const std::vector<BYTE>>(std::move(bytes));
    result.m_view = std::span<const BYTE>(*result.m_owned);
    return result;
}

std::optional<std::u16string_view> VersionInfo::Value(std::u16string_view key) const {
    for (const VersionStringTable& table : stringTables) {
        for (const auto& [entry, value] : table.values) {
            if (entry == key)
                return std::u16string_view(value);
        }
    }
    return std::nullopt;
}

std::optional<std::u16string_view> ResourceModule::FindString(UINT id) const {
    if (id > 0xFFFF)
        return std::nullopt;
    const auto it = strings.find(static_cast<WORD>(id));
    if (it == strings.end() || it->second.empty())
        return std::nullopt;
    return std::u16string_view(it->second);
}

const DialogTemplate* ResourceModule::FindDialog(const ResourceId& name) const {
    return FindByName(dialogs, name);
}

const MenuTemplate* ResourceModule::FindMenu(const ResourceId& name) const {
    return FindByName(menus, name);
}

const AcceleratorTable* ResourceModule::FindAccelerators(const ResourceId& name) const {
    return FindByName(acceleratorTables, name);
}

const ImageResource* ResourceModule::FindBitmap(const ResourceId& name) const {
    return FindByName(bitmaps, name);
}

const ImageResource* ResourceModule::FindIcon(const ResourceId& name) const {
    return FindByName(icons, name);
}

const VersionInfo* ResourceModule::FindVersion(const ResourceId& name) const {
    return FindByName(versions, name);
}

const RawResource* ResourceModule::FindRaw(const ResourceId& type, const ResourceId& name) const {
    const auto it = std::find_if(raw.begin(), raw.end(), [&](const RawResource& entry) {
        return entry.type == type && entry.name == name;
    });
    return it == raw.end() ? nullptr : &*it;
}

std::vector<ResourceId> ResourceModule::Names(const ResourceId& type) const {
    // A set gives the directory's order and drops a second resource of the same name.
    std::set<ResourceId> names;
    if (type == ResourceId(RT_STRING)) {
        for (const auto& [id, text] : strings) {
            if (!text.empty())
                names.insert(ResourceId(id / 16 + 1));
        }
    } else if (type == ResourceId(RT_DIALOG)) {
        AddNames(dialogs, names);
    } else if (type == ResourceId(RT_MENU)) {
        AddNames(menus, names);
    } else if (type == ResourceId(RT_ACCELERATOR)) {
        AddNames(acceleratorTables, names);
    } else if (type == ResourceId(RT_BITMAP)) {
        AddNames(bitmaps, names);
    } else if (type == ResourceId(RT_GROUP_ICON)) {
        AddNames(icons, names);
    } else if (type == ResourceId(RT_VERSION)) {
        AddNames(versions, names);
    }
    for (const RawResource& entry : raw) {
        if (entry.type == type)
            names.insert(entry.name);
    }
    return {names.begin(), names.end()};
}

void AfxSetResourceModule(const ResourceModule* module) {
    g_module.store(module);
}

const ResourceModule* AfxGetResourceModule() {
    return g_module.load();
}

std::optional<std::u16string_view> AfxLoadStringResource(UINT nID) {
    const ResourceModule* module = AfxGetResourceModule();
    return module ? module->FindString(nID) : std::nullopt;
}

const DialogTemplate* AfxLoadDialogTemplate(const ResourceId& name) {
    const ResourceModule* module = AfxGetResourceModule();
    return module ? module->FindDialog(name) : nullptr;
}

const MenuTemplate* AfxLoadMenuTemplate(const ResourceId& name) {
    const ResourceModule* module = AfxGetResourceModule();
    return module ? module->FindMenu(name) : nullptr;
}

const AcceleratorTable* AfxLoadAcceleratorTable(const ResourceId& name) {
    const ResourceModule* module = AfxGetResourceModule();
    return module ? module->FindAccelerators(name) : nullptr;
}

std::optional<std::span<const BYTE>> AfxLoadBitmapResource(const ResourceId& name) {
    const ResourceModule* module = AfxGetResourceModule();
    const ImageResource* image = module ? module->FindBitmap(name) : nullptr;
    if (!image)
        return std::nullopt;
    return image->bytes.Span();
}

std::optional<std::span<const BYTE>> AfxLoadIconResource(const ResourceId& name) {
    const ResourceModule* module = AfxGetResourceModule();
    const ImageResource* image = module ? module->FindIcon(name) : nullptr;
    if (!image)
        return std::nullopt;
    return image->bytes.Span();
}

const VersionInfo* AfxLoadVersionInfo() {
    const ResourceModule* module = AfxGetResourceModule();
    return module ? module->FindVersion(ResourceId(1)) : nullptr;
}

HRSRC FindResource(HMODULE hModule, const ResourceId& name, const ResourceId& type) {
    const ResourceModule* module = ModuleOrCurrent(hModule);
    return module ? module->FindRaw(type, name) : nullptr;
}

HGLOBAL LoadResource(HMODULE /*hModule*/, HRSRC hResInfo) {
    return hResInfo;
}

DWORD SizeofResource(HMODULE /*hModule*/, HRSRC hResInfo) {
    return hResInfo ? static_cast<DWORD>(hResInfo->bytes.Span().size()) : 0;
}

const void* LockResource(HGLOBAL hResData) {
    if (!hResData)
        return nullptr;
    // A resource of no bytes still locks to a valid address, as on the platform.
    static const BYTE kEmpty = 0;
    const auto bytes = hResData->bytes.Span();
    return bytes.empty() ? &kEmpty : bytes.data();
}

std::span<const BYTE> LoadResourceBytes(HMODULE /*hModule*/, HRSRC hResInfo) {
    return hResInfo ? hResInfo->bytes.Span() : std::span<const BYTE>();
}

BOOL EnumResourceNames(HMODULE hModule, const ResourceId& type, ENUMRESNAMEPROC lpEnumFunc,
                       LPARAM lParam) {
    const ResourceModule* module = ModuleOrCurrent(hModule);
    if (!module || !lpEnumFunc)
        return FALSE;
    // Taken before the first call, so a callback cannot disturb the walk.
    const std::vector<ResourceId> names = module->Names(type);
    if (names.empty())
        return FALSE;
    for (const ResourceId& name : names) {
        if (!lpEnumFunc(module, type, name, lParam))
            return FALSE;
    }
    return TRUE;
}
