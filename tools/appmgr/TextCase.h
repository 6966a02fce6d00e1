#pragma once
// Names on the device and in the descriptor ignore ASCII letter case.

#include <string>
#include <string_view>

namespace appmgr {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);
// Without the blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace appmgr
