#pragma once
// The platform's drawing structures.

#include "platform/base/Types.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Geometry.h"

// A logical font: what the caller asks for. Negative heights are the em (character) height in
// pixels, positive ones the cell height (ascent + descent), zero a default size.
struct LOGFONT {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char16_t lfFaceName[LF_FACESIZE];  // null-terminated, as the platform keeps it
};
using LPLOGFONT = LOGFONT*;

// The measures of a realised font, in pixels. Text lines are tmHeight apart.
struct TEXTMETRIC {
    LONG tmHeight;           // tmAscent + tmDescent
    LONG tmAscent;           // from the top of a line to the baseline
    LONG tmDescent;          // from the baseline to the bottom of a line
    LONG tmInternalLeading;  // tmHeight minus the em height
    LONG tmExternalLeading;  // space the font designer suggests between lines
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    char16_t tmFirstChar;
    char16_t tmLastChar;
    char16_t tmDefaultChar;
    char16_t tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
using LPTEXTMETRIC = TEXTMETRIC*;

struct BITMAP {
    LONG bmType;  // always 0
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;  // bytes per row of the bitmap's pixels
    WORD bmPlanes;      // always 1
    WORD bmBitsPixel;   // 1 or 32
    void* bmBits;       // always null: the pixels are reached through the bitmap's surface
};

struct LOGBRUSH {
    UINT lbStyle;  // BS_SOLID or BS_NULL
    COLORREF lbColor;
    std::uintptr_t lbHatch;
};
inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;  // x is the width; y is unused
    COLORREF lopnColor;
};
