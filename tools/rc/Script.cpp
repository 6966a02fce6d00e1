#include "tools/rc/Script.h"

#include "platform/base/Utf.h"

namespace rc {

Name Name::Text(std::u16string_view text) {
    Name name;
    name.isNumber = false;
    name.text.reserve(text.size());
    // The platform's upper-casing of names: ASCII and Latin-1 letters.
    for (char16_t c : text) {
        if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            c = static_cast<char16_t>(c - 0x20);
        else if (c == 0xFF)
            c = 0x178;
        name.text += c;
    }
    return name;
}

std::string Name::ToString() const {
    return isNumber ? std::to_string(number) : "\"" + platform::Utf16ToUtf8(text) + "\"";
}

}  // namespace rc
