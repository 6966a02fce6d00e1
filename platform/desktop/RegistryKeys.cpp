#include "platform/desktop/RegistryKeys.h"

#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/base/Registry.h"

struct HKEY__ {
    platform::HiveId hive;
    std::u16string path;  // below the hive's root; components separated by a backslash
};

namespace {

// What a handle names: an open key, or a predefined root.
bool Resolve(HKEY key, platform::HiveId* hive, std::u16string* path) {
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
        *hive = key == HKEY_CURRENT_USER ? platform::HiveId::CurrentUser
                                         : platform::HiveId::LocalMachine;
        path->clear();
        return true;
    }
    if (key == nullptr)
        return false;
    *hive = key->hive;
    *path = key->path;
    return true;
}

bool CanWrite(const platform::RegistryHive& hive) {
    const auto file = hive.FilePath();
    if (!file)
        return false;
    if (::access(file->c_str(), F_OK) == 0)
        return ::access(file->c_str(), W_OK) == 0;
    // A missing hive is made on the first write, in its folder or the nearest one that exists.
    for (auto folder = file->parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (::access(folder.c_str(), F_OK) == 0)
            return ::access(folder.c_str(), W_OK) == 0;
        if (folder == folder.root_path())
            break;
    }
    return false;
}

}  // namespace

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result) {
    if (result == nullptr || options != 0)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    platform::HiveId hive{};
    std::u16string path;
    if (!Resolve(key, &hive, &path))
        return ERROR_INVALID_HANDLE;
    if (subKey != nullptr && subKey[0] != '\0') {
        if (!path.empty())
            path += u'\\';
        path += CString::FromUtf8(subKey).Str();
    }
    const platform::RegistryHive store(hive);
    if (!store.KeyExists(path))
        return ERROR_FILE_NOT_FOUND;
    if ((access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0 && !CanWrite(store))
        return ERROR_ACCESS_DENIED;
    *result = std::make_unique<HKEY__>(HKEY__{hive, std::move(path)}).release();
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
    if (reserved != nullptr || (data != nullptr && size == nullptr))
        return ERROR_INVALID_PARAMETER;
    platform::HiveId hive{};
    std::u16string path;
    if (!Resolve(key, &hive, &path))
        return ERROR_INVALID_HANDLE;
    const auto value = platform::RegistryHive(hive).ReadValue(
        path, name ? CString::FromUtf8(name).Str() : std::u16string());
    if (!value)
        return ERROR_FILE_NOT_FOUND;

    std::vector<BYTE> bytes;
    DWORD valueType = REG_NONE;
    if (const auto* text = std::get_if<CString>(&*value)) {
        const std::string utf8 = text->ToUtf8();
        bytes.assign(utf8.begin(), utf8.end());
        bytes.push_back(0);
        valueType = REG_SZ;
    } else {
        const DWORD number = std::get<DWORD>(*value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<BYTE>(number >> shift));
        valueType = REG_DWORD;
    }
    if (type)
        *type = valueType;
    const auto needed = static_cast<DWORD>(bytes.size());
    if (data == nullptr) {
        if (size)
            *size = needed;
        return ERROR_SUCCESS;
    }
    const DWORD offered = *size;
    *size = needed;
    if (offered < needed)
        return ERROR_MORE_DATA;
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    std::unique_ptr<HKEY__> owned(key);
    return ERROR_SUCCESS;
}
