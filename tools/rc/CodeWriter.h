#pragma once
// Writes a Script as C++: one source file that defines `const ResourceModule& <name>()`,
// building the platform's resource tables at first use. File contents become byte arrays.

#include <string>

#include "tools/rc/Script.h"

namespace rc {

// function: the C++ name of the function to define; scriptName: shown in the file's header.
std::string WriteModule(const Script& script, const std::string& function,
                        const std::string& scriptName);

// A char16_t string literal, u"...", that holds text exactly.
std::string Utf16Literal(std::u16string_view text);

}  // namespace rc
