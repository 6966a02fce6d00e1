#pragma once
// The framework's string: UTF-16 code units, as the device keeps all text. UTF-8 only at the
// edges (files of text, the terminal, fontconfig), through FromUtf8 / ToUtf8.

#include <compare>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/base/Types.h"

class CString {
public:
    CString() = default;
    CString(const char16_t* text);  // NOLINT(google-explicit-constructor): as the framework
    CString(const char16_t* text, int length);
    CString(std::u16string_view text);  // NOLINT(google-explicit-constructor)
    CString(std::u16string text);       // NOLINT(google-explicit-constructor)
    CString(char16_t ch, int repeat);

    static CString FromUtf8(std::string_view utf8);  // invalid bytes become U+FFFD
    std::string ToUtf8() const;                      // unpaired surrogates become U+FFFD

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char16_t GetAt(int index) const { return m_str[static_cast<std::size_t>(index)]; }
    char16_t operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char16_t ch) { m_str[static_cast<std::size_t>(index)] = ch; }

    // As the framework's LPCTSTR conversion: null-terminated, valid until the next change.
    operator LPCTSTR() const { return m_str.c_str(); }  // NOLINT(google-explicit-constructor)
    LPCTSTR GetString() const { return m_str.c_str(); }
    const std::u16string& Str() const { return m_str; }
    std::u16string& Str() { return m_str; }
    std::u16string_view View() const { return m_str; }

    // -1 when not found; the search starts at index start.
    int Find(char16_t ch, int start = 0) const;
    int Find(std::u16string_view sub, int start = 0) const;
    int ReverseFind(char16_t ch) const;

    // Counts are clamped to the string, as the framework does.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    void MakeUpper();  // ASCII and Latin-1 letters
    void MakeLower();
    int Compare(std::u16string_view other) const;        // <0, 0, >0
    int CompareNoCase(std::u16string_view other) const;  // letter case folded as MakeLower
    void TrimLeft();
    void TrimRight();
    void Trim() {
        TrimLeft();
        TrimRight();
    }
    int Replace(std::u16string_view from, std::u16string_view to);

    CString& operator+=(const CString& other) {
        m_str += other.m_str;
        return *this;
    }
    CString& operator+=(const char16_t* other) {
        m_str += other;
        return *this;
    }
    CString& operator+=(char16_t ch) {
        m_str += ch;
        return *this;
    }
    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_str + b.m_str);
    }
    friend CString operator+(const CString& a, const char16_t* b) { return CString(a.m_str + b); }
    friend CString operator+(const char16_t* a, const CString& b) { return CString(a + b.m_str); }
    friend CString operator+(const CString& a, char16_t b) { return CString(a.m_str + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char16_t* b) { return a.m_str == b; }
    friend auto operator<=>(const CString& a, const CString& b) { return a.m_str <=> b.m_str; }

    // printf-style formatting with the framework's directives: %d %i %u %x %X %c %s %%, with
    // flags (-, 0, +, blank), width and precision. Arguments are type-checked: integers for the
    // numeric directives, strings (CString, const char16_t*) for %s. A mismatch formats as
    // "(bad argument)" rather than reading the wrong type.
    using FormatArg = std::variant<long long, unsigned long long, std::u16string_view>;
    template <class... Args>
    void Format(const char16_t* format, const Args&... args) {
        FormatV(format, {ToArg(args)...});
    }
    // The format is the string-table entry nFormatID.
    template <class... Args>
    void Format(UINT nFormatID, const Args&... args) {
        FormatIdV(nFormatID, {ToArg(args)...});
    }
    void FormatV(std::u16string_view format, const std::vector<FormatArg>& args);
    void FormatIdV(UINT nFormatID, const std::vector<FormatArg>& args);

    // Loads the string-table entry nID of the program's resources; FALSE (and empty) if none.
    BOOL LoadString(UINT nID);

private:
    template <class T>
    static FormatArg ToArg(const T& value) {
        if constexpr (std::is_same_v<T, CString>) {
            return std::u16string_view(value.m_str);
        } else if constexpr (std::is_array_v<T> &&
                             std::is_same_v<std::remove_cv_t<std::remove_extent_t<T>>, char16_t>) {
            return std::u16string_view(value);
        } else if constexpr (std::is_same_v<T, const char16_t*> || std::is_same_v<T, char16_t*>) {
            // A null pointer formats as the framework's "(null)" instead of being read.
            return value != nullptr ? std::u16string_view(value) : std::u16string_view(u"(null)");
        } else if constexpr (std::is_convertible_v<const T&, std::u16string_view>) {
            return std::u16string_view(value);
        } else if constexpr (std::is_same_v<T, char16_t>) {
            return static_cast<unsigned long long>(value);
        } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
            return static_cast<long long>(value);
        } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
            return static_cast<unsigned long long>(value);
        } else {
            static_assert(sizeof(T) == 0, "CString::Format: unsupported argument type");
        }
    }

    std::u16string m_str;
};
