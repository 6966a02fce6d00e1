#include "platform/base/AppProfile.h"

#include <charconv>
#include <limits>
#include <string>

#include "platform/base/ModulePath.h"

namespace {

CAppProfile*& CurrentApp() {
    static CAppProfile* app = nullptr;
    return app;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// A whole decimal number, as the framework's profile reads integers from text.
std::optional<long long> ParseInteger(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    std::string ascii;
    for (const char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    if (!ascii.empty() && ascii.front() == '+')
        ascii.erase(0, 1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || ec != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

}  // namespace

CAppProfile::CAppProfile(LPCTSTR lpszAppName) : m_strAppName(lpszAppName) {
    if (CurrentApp() == nullptr)
        CurrentApp() = this;
}

CAppProfile::~CAppProfile() {
    if (CurrentApp() == this)
        CurrentApp() = nullptr;
}

CAppProfile* CAppProfile::Current() {
    return CurrentApp();
}

void CAppProfile::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_strRegistryKey = CString(lpszRegistryKey);
}

const CString& CAppProfile::GetAppName() const {
    // Taken on first use rather than at construction: the global application object is built
    // before tests can stand the program under another name.
    if (m_strAppName.IsEmpty())
        m_strAppName = platform::ProgramNameFromPath(AfxGetModuleFileName());
    return m_strAppName;
}

CString CAppProfile::GetSectionKey(LPCTSTR lpszSection) const {
    CString key(u"Software\\");
    if (!m_strRegistryKey.IsEmpty())
        key += m_strRegistryKey + u"\\";
    key += GetAppName();
    key += u"\\";
    key += CString(lpszSection);
    return key;
}

UINT CAppProfile::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const {
    const UINT fallback = static_cast<UINT>(nDefault);
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return fallback;
    const auto value = m_hive.ReadValue(GetSectionKey(lpszSection).View(), lpszEntry);
    if (!value)
        return fallback;
    if (const auto* number = std::get_if<DWORD>(&*value))
        return *number;
    const auto parsed = ParseInteger(std::get<CString>(*value).View());
    if (!parsed || *parsed < std::numeric_limits<int>::min() ||
        *parsed > std::numeric_limits<UINT>::max()) {
        return fallback;
    }
    return static_cast<UINT>(*parsed);
}

CString CAppProfile::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry,
                                      LPCTSTR lpszDefault) const {
    CString fallback(lpszDefault);
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return fallback;
    auto value = m_hive.ReadString(GetSectionKey(lpszSection).View(), lpszEntry);
    return value ? std::move(*value) : fallback;
}

BOOL CAppProfile::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return FALSE;
    return m_hive.WriteDword(GetSectionKey(lpszSection).View(), lpszEntry,
                             static_cast<DWORD>(nValue))
               ? TRUE
               : FALSE;
}

BOOL CAppProfile::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return FALSE;
    const CString key = GetSectionKey(lpszSection);
    if (lpszValue == nullptr) {
        const auto result = m_hive.DeleteValue(key.View(), lpszEntry);
        return result || result.status == platform::RegistryStatus::NotFound ? TRUE : FALSE;
    }
    return m_hive.WriteString(key.View(), lpszEntry, lpszValue) ? TRUE : FALSE;
}
