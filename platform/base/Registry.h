#pragma once
// The registry, stood in for by two hive files in the .reg text form: user.reg holds
// HKEY_CURRENT_USER and system.reg HKEY_LOCAL_MACHINE. They live in $JOKEPAD_REGISTRY when it is
// set, else in ${XDG_CONFIG_HOME:-$HOME/.config}/jokepad.
//
// Several programs may share a hive, so every write takes an exclusive lock beside the hive,
// reads it again, and replaces it atomically (temporary file, fsync, rename). Readers take no
// lock: they see either the old file or the new one. Nothing here throws; a failure is a result.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/CString.h"
#include "platform/base/RegText.h"
#include "platform/base/Types.h"

namespace platform {

enum class HiveId { CurrentUser, LocalMachine };

enum class RegistryStatus {
    Ok,
    NotFound,     // the value to delete is not there
    InvalidName,  // a key path with an empty component or a control character
    IoError,      // the hive's folder or file could not be read, locked or written
};

struct RegistryResult {
    RegistryStatus status = RegistryStatus::Ok;
    std::string message;  // for the user when status is not Ok: what failed, where and why

    explicit operator bool() const { return status == RegistryStatus::Ok; }
};

// The folder the hives live in, from the environment; nothing when neither $JOKEPAD_REGISTRY,
// $XDG_CONFIG_HOME nor a home folder is known.
std::optional<std::filesystem::path> RegistryFolder();

// One hive. Keys are paths below the hive's root, components separated by a backslash
// ("Software\\Parlonda\\jokepad\\Settings"); key and value names ignore ASCII letter case and
// keep the spelling they were first written with. The empty value name is the key's default.
class RegistryHive {
public:
    // The folder is looked up in the environment at each call.
    explicit RegistryHive(HiveId hive);
    RegistryHive(HiveId hive, std::filesystem::path folder);

    HiveId Id() const { return m_hive; }
    // "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE", as the section headers name the root.
    std::string_view RootName() const;
    // The hive file, or nothing when no folder is known.
    std::optional<std::filesystem::path> FilePath() const;

    // Reads see what the file holds now; a missing or unreadable hive is an empty one, and a
    // damaged one gives what could be understood of it.
    std::optional<RegistryValue> ReadValue(std::u16string_view key, std::u16string_view name) const;
    // Nothing when the value is missing or of the other type.
    std::optional<CString> ReadString(std::u16string_view key, std::u16string_view name) const;
    std::optional<DWORD> ReadDword(std::u16string_view key, std::u16string_view name) const;
    bool KeyExists(std::u16string_view key) const;

    // Writing creates the key (and the hive's folder, mode 0700) when it is missing.
    RegistryResult WriteValue(std::u16string_view key, std::u16string_view name,
                              const RegistryValue& value);
    RegistryResult WriteString(std::u16string_view key, std::u16string_view name,
                               std::u16string_view value);
    RegistryResult WriteDword(std::u16string_view key, std::u16string_view name, DWORD value);
    // NotFound when there was no such value; the key itself stays.
    RegistryResult DeleteValue(std::u16string_view key, std::u16string_view name);

private:
    std::optional<RegText> Load() const;

    HiveId m_hive;
    std::optional<std::filesystem::path> m_folder;
};

}  // namespace platform
