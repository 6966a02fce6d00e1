#pragma once
// Colours as the platform passes them: 0x00BBGGRR, red in the low byte. Surfaces store pixels
// the other way round (0x00RRGGBB); Surface.h converts.

#include "platform/base/Types.h"

using COLORREF = DWORD;

inline constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
inline constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
inline constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
inline constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}

// What colour queries return for a point they cannot read.
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
