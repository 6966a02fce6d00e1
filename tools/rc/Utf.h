#pragma once
// The scripts' UTF-8 read strictly: a resource compiler rejects what it cannot read rather than
// replace it. The rest of the conversions are the platform's (platform/base/Utf.h).

#include <optional>
#include <string_view>

namespace rc {

// Reads one character at text[pos] and advances pos; nothing when the bytes there are not
// well-formed UTF-8 (pos then stays).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos);

}  // namespace rc
