#pragma once
// UTF-8 text of the scripts into the UTF-16 the platform keeps, and back for file names.

#include <optional>
#include <string>
#include <string_view>

namespace rc {

// Reads one character at text[pos] and advances pos; nothing when the bytes there are not
// well-formed UTF-8 (pos then stays).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos);
void AppendUtf16(std::u16string& out, char32_t cp);
void AppendUtf8(std::string& out, char32_t cp);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace rc
