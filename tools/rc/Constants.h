#pragma once
// The platform's named constants that scripts use without including the platform's headers:
// window, dialog and control styles, virtual keys, languages and version-record values.

#include <cstdint>
#include <optional>
#include <string_view>

namespace rc {

std::optional<std::uint32_t> BuiltinConstant(std::string_view name);

}  // namespace rc
