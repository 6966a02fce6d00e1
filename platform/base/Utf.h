#pragma once
// Conversions between the encodings that meet at the platform's edges: UTF-16 inside the
// programs, UTF-8 in files of text and on the terminal, Windows-1252 in the single-byte strings
// that older archives hold.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Invalid or truncated sequences, overlong forms, surrogates and values above U+10FFFF become
// U+FFFD, one for each maximal ill-formed subpart (the Unicode recommendation).
std::u16string Utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
// One code point (at most U+10FFFF, not a surrogate) appended in the encoding.
void AppendUtf16(std::u16string& out, char32_t cp);
void AppendUtf8(std::string& out, char32_t cp);

// Every byte decodes. The five bytes Windows-1252 leaves undefined (81 8D 8F 90 9D) become the
// control characters of the same value, as the platform's own conversion does, so that any byte
// string survives a decode and encode unchanged.
char16_t Windows1252ToUnicode(unsigned char byte);
std::u16string DecodeWindows1252(std::string_view bytes);
// Writes count code units to out; out must hold count of them.
void DecodeWindows1252(const unsigned char* bytes, std::size_t count, char16_t* out);

// The byte for ch, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> UnicodeToWindows1252(char16_t ch);
// Appends the encoding of text to out. Returns nothing on success, else the index in text of
// the first character that Windows-1252 cannot hold (out then holds the bytes before it).
std::optional<std::size_t> EncodeWindows1252(std::u16string_view text, std::string& out);

}  // namespace platform
