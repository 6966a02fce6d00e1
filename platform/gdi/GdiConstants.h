#pragma once
// Numeric constants of the platform's drawing calls, with the values its documentation gives.

#include "platform/base/Types.h"

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// DrawText formats.
inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;  // single-line texts only
inline constexpr UINT DT_BOTTOM = 0x0008;   // single-line texts only
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_EXPANDTABS = 0x0040;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr UINT DT_NOPREFIX = 0x0800;

// ExtTextOut options.
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

// Raster operations of BitBlt and PatBlt (D destination, S source, P the selected brush).
inline constexpr DWORD SRCCOPY = 0x00CC0020;     // S
inline constexpr DWORD SRCPAINT = 0x00EE0086;    // D | S
inline constexpr DWORD SRCAND = 0x008800C6;      // D & S
inline constexpr DWORD SRCINVERT = 0x00660046;   // D ^ S
inline constexpr DWORD NOTSRCCOPY = 0x00330008;  // ~S
inline constexpr DWORD PATCOPY = 0x00F00021;     // P
inline constexpr DWORD PATINVERT = 0x005A0049;   // D ^ P
inline constexpr DWORD DSTINVERT = 0x00550009;   // ~D
inline constexpr DWORD BLACKNESS = 0x00000042;   // black
inline constexpr DWORD WHITENESS = 0x00FF0062;   // white

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;

// Pen styles.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_NULL = 5;

// Font weights, character sets and the like, for LOGFONT.
inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_THIN = 100;
inline constexpr int FW_LIGHT = 300;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_MEDIUM = 500;
inline constexpr int FW_SEMIBOLD = 600;
inline constexpr int FW_BOLD = 700;
inline constexpr int FW_HEAVY = 900;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE OUT_STROKE_PRECIS = 3;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE CLIP_STROKE_PRECIS = 2;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;
// TEXTMETRIC::tmPitchAndFamily bits.
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01;  // set for variable pitch, as the platform has it
inline constexpr BYTE TMPF_VECTOR = 0x02;
inline constexpr BYTE TMPF_TRUETYPE = 0x04;

// Font types that EnumFontFamilies reports.
inline constexpr DWORD RASTER_FONTTYPE = 0x0001;
inline constexpr DWORD DEVICE_FONTTYPE = 0x0002;
inline constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;

inline constexpr int LF_FACESIZE = 32;
