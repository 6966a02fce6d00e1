#pragma once
// The application's per-user profile, kept in the registry stand-in's user hive. The
// application object derives from this class, as the framework's application does.
//
// Entries live under HKEY_CURRENT_USER\Software\<company>\<application name>\<section>, one
// value per entry: integers as dwords, strings as strings. Before SetRegistryKey is called the
// company level is left out (HKEY_CURRENT_USER\Software\<application name>\<section>), where
// the framework would have used an .ini file instead.
//
// Every read goes to the hive and every write goes to it at once; there is no cache.

#include "platform/base/CString.h"
#include "platform/base/Registry.h"
#include "platform/base/Types.h"

class CAppProfile {
public:
    // Without a name the application takes the program file's name (see ProgramNameFromPath).
    explicit CAppProfile(LPCTSTR lpszAppName = nullptr);
    virtual ~CAppProfile();
    CAppProfile(const CAppProfile&) = delete;
    CAppProfile& operator=(const CAppProfile&) = delete;

    // The application object of this program: the first one constructed that still lives.
    static CAppProfile* Current();

    // company is the key below Software that the application's settings go under.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    const CString& GetRegistryKey() const { return m_strRegistryKey; }
    const CString& GetAppName() const;

    // A stored dword is returned as stored; a stored string that holds a decimal number (sign
    // allowed, blanks around it) is that number; anything else is nDefault.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const;
    // A stored string, or lpszDefault ("" when null) for a missing entry or one of another type.
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry,
                             LPCTSTR lpszDefault = nullptr) const;
    // FALSE when the entry could not be stored; the former value then stays.
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A null lpszValue deletes the entry (TRUE also when there was none).
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    // The key that holds lpszSection, below HKEY_CURRENT_USER.
    CString GetSectionKey(LPCTSTR lpszSection) const;

private:
    mutable CString m_strAppName;
    CString m_strRegistryKey;
    platform::RegistryHive m_hive{platform::HiveId::CurrentUser};
};
