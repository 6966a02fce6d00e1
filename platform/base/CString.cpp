#include "platform/base/CString.h"

#include <algorithm>
#include <cstdint>

#include "platform/base/Utf.h"

namespace {

char16_t ToUpperChar(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    return c;
}

char16_t ToLowerChar(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 0x20);
    if (c == 0x178)
        return 0xFF;
    return c;
}

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace

CString::CString(const char16_t* text) {
    if (text != nullptr)
        m_str = text;
}

CString::CString(const char16_t* text, int length) {
    if (text != nullptr && length > 0)
        m_str.assign(text, static_cast<std::size_t>(length));
}

CString::CString(std::u16string_view text) : m_str(text) {}

CString::CString(std::u16string text) : m_str(std::move(text)) {}

CString::CString(char16_t ch, int repeat) {
    if (repeat > 0)
        m_str.assign(static_cast<std::size_t>(repeat), ch);
}

CString CString::FromUtf8(std::string_view utf8) {
    return CString(platform::Utf8ToUtf16(utf8));
}

std::string CString::ToUtf8() const {
    return platform::Utf16ToUtf8(m_str);
}

int CString::Find(char16_t ch, int start) const {
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    const auto pos = m_str.find(ch, static_cast<std::size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(std::u16string_view sub, int start) const {
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    const auto pos = m_str.find(sub, static_cast<std::size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char16_t ch) const {
    const auto pos = m_str.rfind(ch);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(0, static_cast<std::size_t>(count)));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_str.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(static_cast<std::size_t>(GetLength() - count)));
}

void CString::MakeUpper() {
    for (auto& c : m_str)
        c = ToUpperChar(c);
}

void CString::MakeLower() {
    for (auto& c : m_str)
        c = ToLowerChar(c);
}

int CString::Compare(std::u16string_view other) const {
    return Sign(std::u16string_view(m_str).compare(other));
}

int CString::CompareNoCase(std::u16string_view other) const {
    const std::size_t n = std::min(m_str.size(), other.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t a = ToLowerChar(m_str[i]);
        const char16_t b = ToLowerChar(other[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return Sign(static_cast<int>(m_str.size() > other.size()) -
                static_cast<int>(m_str.size() < other.size()));
}

void CString::TrimLeft() {
    const auto it = std::find_if_not(m_str.begin(), m_str.end(), IsSpace);
    m_str.erase(m_str.begin(), it);
}

void CString::TrimRight() {
    const auto it = std::find_if_not(m_str.rbegin(), m_str.rend(), IsSpace);
    m_str.erase(it.base(), m_str.end());
}

int CString::Replace(std::u16string_view from, std::u16string_view to) {
    if (from.empty())
        return 0;
    int count = 0;
    std::u16string out;
    std::size_t pos = 0;
    for (;;) {
        const auto hit = m_str.find(from, pos);
        if (hit == std::u16string::npos)
            break;
        out.append(m_str, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++count;
    }
    if (count > 0) {
        out.append(m_str, pos);
        m_str = std::move(out);
    }
    return count;
}

namespace {

constexpr std::u16string_view kBadArgument = u"(bad argument)";

struct Directive {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool blank = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;  // none
    bool wide = false;   // ll / I64: the argument is 64-bit, else 32-bit as the platform's int
};

void Pad(std::u16string& out, std::u16string_view body, const Directive& directive, std::size_t zeroAfter) {
    const std::size_t len = body.size();
    const std::size_t width = directive.width > 0 ? static_cast<std::size_t>(directive.width) : 0;
    if (len >= width) {
        out += body;
    } else if (directive.left) {
        out += body;
        out.append(width - len, u' ');
    } else if (directive.zero) {
        // Zeros go after the sign or 0x prefix.
        out += body.substr(0, zeroAfter);
        out.append(width - len, u'0');
        out += body.substr(zeroAfter);
    } else {
        out.append(width - len, u' ');
        out += body;
    }
}

std::u16string Digits(unsigned long long v, unsigned base, bool upper) {
    std::u16string d;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        d += static_cast<char16_t>(set[v % base]);
        v /= base;
    } while (v != 0);
    std::reverse(d.begin(), d.end());
    return d;
}

// The integer as a 32-bit or 64-bit value of the directive's signedness.
bool IntegerOf(const CString::FormatArg& arg, const Directive& directive, bool isSigned, bool& negative,
               unsigned long long& magnitude) {
    unsigned long long bits;
    if (const auto* s = std::get_if<long long>(&arg)) {
        bits = static_cast<unsigned long long>(*s);
    } else if (const auto* u = std::get_if<unsigned long long>(&arg)) {
        bits = *u;
    } else {
        return false;
    }
    if (!directive.wide)
        bits &= 0xFFFFFFFFull;
    negative = false;
    magnitude = bits;
    if (isSigned) {
        const long long value = directive.wide ? static_cast<long long>(bits)
                                          : static_cast<long long>(static_cast<std::int32_t>(
                                                static_cast<std::uint32_t>(bits)));
        negative = value < 0;
        magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                             : static_cast<unsigned long long>(value);
    }
    return true;
}

void FormatInteger(std::u16string& out, char16_t conv, const Directive& directive,
                   const CString::FormatArg& arg) {
    const bool isSigned = conv == u'd' || conv == u'i';
    bool negative = false;
    unsigned long long magnitude = 0;
    if (!IntegerOf(arg, directive, isSigned, negative, magnitude)) {
        out += kBadArgument;
        return;
    }
    const unsigned base = (conv == u'x' || conv == u'X') ? 16 : conv == u'o' ? 8 : 10;
    std::u16string digits;
    if (!(directive.precision == 0 && magnitude == 0))
        digits = Digits(magnitude, base, conv == u'X');
    if (directive.precision > 0 && digits.size() < static_cast<std::size_t>(directive.precision)) {
        digits.insert(0, static_cast<std::size_t>(directive.precision) - digits.size(), u'0');
    }
    std::u16string prefix;
    if (negative) {
        prefix = u"-";
    } else if (isSigned && directive.plus) {
        prefix = u"+";
    } else if (isSigned && directive.blank) {
        prefix = u" ";
    }
    if (directive.alternate && magnitude != 0) {
        if (base == 16)
            prefix += conv == u'X' ? u"0X" : u"0x";
        if (base == 8 && (digits.empty() || digits[0] != u'0'))
            digits.insert(0, 1, u'0');
    }
    Directive padding = directive;
    padding.zero = directive.zero && directive.precision < 0;
    Pad(out, prefix + digits, padding, prefix.size());
}

}  // namespace

void CString::FormatV(std::u16string_view format, const std::vector<FormatArg>& args) {
    std::u16string out;
    std::size_t next = 0;
    const FormatArg missing{};  // a long long: stands for no argument, told apart below
    auto take = [&](bool& present) -> const FormatArg& {
        present = next < args.size();
        return present ? args[next++] : missing;
    };

    const std::size_t n = format.size();
    std::size_t i = 0;
    while (i < n) {
        const char16_t c = format[i];
        if (c != u'%') {
            out += c;
            ++i;
            continue;
        }
        const std::size_t start = i++;
        if (i < n && format[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        Directive directive;
        bool bad = false;
        for (; i < n; ++i) {
            const char16_t f = format[i];
            if (f == u'-') {
                directive.left = true;
            } else if (f == u'0') {
                directive.zero = true;
            } else if (f == u'+') {
                directive.plus = true;
            } else if (f == u' ') {
                directive.blank = true;
            } else if (f == u'#') {
                directive.alternate = true;
            } else {
                break;
            }
        }
        auto readNumber = [&](int& target) {
            if (i < n && format[i] == u'*') {
                ++i;
                bool present = false;
                const FormatArg& a = take(present);
                const auto* v = std::get_if<long long>(&a);
                const auto* u = std::get_if<unsigned long long>(&a);
                if (!present || (v == nullptr && u == nullptr)) {
                    bad = true;
                    return;
                }
                const long long value = v != nullptr ? *v : static_cast<long long>(*u);
                target = static_cast<int>(std::clamp<long long>(value, -65536, 65536));
                return;
            }
            int value = 0;
            while (i < n && format[i] >= u'0' && format[i] <= u'9') {
                value = std::min(value * 10 + (format[i] - u'0'), 65536);
                ++i;
            }
            target = value;
        };
        readNumber(directive.width);
        if (directive.width < 0) {  // a negative * width means left-justified
            directive.left = true;
            directive.width = -directive.width;
        }
        if (i < n && format[i] == u'.') {
            ++i;
            readNumber(directive.precision);
            if (directive.precision < 0)
                directive.precision = -1;
        }
        // Size prefixes: h, l, w change nothing here; ll and I64 select 64-bit integers.
        for (;;) {
            if (i < n && (format[i] == u'h' || format[i] == u'w')) {
                ++i;
            } else if (i + 1 < n && format[i] == u'l' && format[i + 1] == u'l') {
                directive.wide = true;
                i += 2;
            } else if (i < n && format[i] == u'l') {
                ++i;
            } else if (format.substr(i, 3) == u"I64") {
                directive.wide = true;
                i += 3;
            } else if (format.substr(i, 3) == u"I32") {
                i += 3;
            } else {
                break;
            }
        }
        if (i >= n) {  // a directive cut short is kept as written
            out += format.substr(start);
            break;
        }
        const char16_t conv = format[i++];
        switch (conv) {
            case u'd':
            case u'i':
            case u'u':
            case u'x':
            case u'X':
            case u'o': {
                bool present = false;
                const FormatArg& a = take(present);
                if (bad || !present) {
                    out += kBadArgument;
                } else {
                    FormatInteger(out, conv, directive, a);
                }
                break;
            }
            case u'c': {
                bool present = false;
                const FormatArg& a = take(present);
                bool negative = false;
                unsigned long long value = 0;
                if (bad || !present || !IntegerOf(a, Directive{}, false, negative, value)) {
                    out += kBadArgument;
                } else {
                    const char16_t ch = static_cast<char16_t>(value & 0xFFFF);
                    Directive padding = directive;
                    padding.zero = false;
                    Pad(out, std::u16string_view(&ch, 1), padding, 0);
                }
                break;
            }
            case u's':
            case u'S': {
                bool present = false;
                const FormatArg& a = take(present);
                const auto* text = std::get_if<std::u16string_view>(&a);
                if (bad || !present || text == nullptr) {
                    out += kBadArgument;
                } else {
                    std::u16string_view body = *text;
                    if (directive.precision >= 0 &&
                        body.size() > static_cast<std::size_t>(directive.precision)) {
                        body = body.substr(0, static_cast<std::size_t>(directive.precision));
                    }
                    Directive padding = directive;
                    padding.zero = false;
                    Pad(out, body, padding, 0);
                }
                break;
            }
            default:
                // Not a directive this platform formats (floating point among them): kept as
                // written, and no argument is taken, so later directives still line up.
                out += format.substr(start, i - start);
                break;
        }
    }
    m_str = std::move(out);
}
