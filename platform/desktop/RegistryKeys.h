#pragma once
// The registry's C interface, over the registry stand-in (platform/base/Registry.h), as far as
// a desktop program reads it. Strings are single-byte here: UTF-8.

#include <cstdint>

#include "platform/base/Types.h"

struct HKEY__;  // an open key
using HKEY = HKEY__*;
using REGSAM = DWORD;

inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM READ_CONTROL = 0x00020000;
inline constexpr REGSAM KEY_READ =
    READ_CONTROL | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
inline constexpr REGSAM KEY_WRITE = READ_CONTROL | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_DWORD = 4;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;

// Opens an existing key below an open or predefined one; options must be 0. Asking for write
// access is refused (ERROR_ACCESS_DENIED) when the user cannot write the hive.
LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result);

// Reads a value: its type, and its bytes (a string with its terminating zero, a number in four
// bytes, least significant first). With data null only the size is given; when *size is too
// small it is set to the size needed and ERROR_MORE_DATA returned. reserved must be null.
LONG RegQueryValueEx(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);

LONG RegCloseKey(HKEY key);
