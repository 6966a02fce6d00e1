#pragma once
// The program's resources: tables that the resource compiler (tools/rc) generates from a
// resource script at build time. The platform reads them only through these loaders.
//
// (Being completed by the resource-compiler work: dialog templates, menus, accelerators,
// bitmaps, icons, the version record and user-defined types, enumerated in the platform's
// order.)

#include <optional>
#include <string_view>

#include "platform/base/Types.h"

// The string-table entry nID of the current resource module, or nothing when it has none.
std::optional<std::u16string_view> AfxLoadStringResource(UINT nID);
