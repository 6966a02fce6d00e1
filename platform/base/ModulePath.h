#pragma once
// Where the running program lies, and the files that lie beside it under its name.

#include <optional>
#include <string_view>

#include "platform/base/CString.h"

// The full path of the running program (/proc/self/exe), or the path set for tests.
CString AfxGetModuleFileName();

namespace platform {

// Tests stand the program in another folder or under another name with this; nothing restores
// the real path.
void SetModulePathForTesting(std::optional<CString> path);

// A file of the program's own: the module path without a trailing ".exe" (any letter case),
// or the whole path where it has none, with extension appended (".dat", ".fav").
CString ProgramFilePath(const CString& modulePath, std::u16string_view extension);

// The program's name: the module path's last component without a trailing ".exe" (any letter
// case), so that it matches the stem of the program's files. On the device every program ends
// in ".exe"; here most have no extension, and a dot elsewhere ("jokepad-1.2") is part of the
// name.
CString ProgramNameFromPath(const CString& modulePath);

}  // namespace platform
