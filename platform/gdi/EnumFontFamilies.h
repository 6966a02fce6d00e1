#pragma once
// Font-family enumeration, as the platform's EnumFontFamilies.

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiStructs.h"

using FONTENUMPROC = int (*)(const LOGFONT* lpelf, const TEXTMETRIC* lpntm, DWORD fontType,
                             LPARAM lParam);

// Calls lpEnumFontFamProc once per family, sorted by name, until it returns 0: the scalable
// families fontconfig knows, plus Arial, Courier New, Times New Roman and Tahoma where
// fontconfig maps them to an installed metric-compatible face. With lpszFamily, only the
// family of that name (letter case aside), once. The LOGFONT carries the family name and the
// TEXTMETRIC the face's measures at the system font's size; fontType is TRUETYPE_FONTTYPE.
// Returns the callback's last result, or 1 when it was never called. Every context lists
// the same families, so pDC may be null.
int EnumFontFamilies(CDC* pDC, LPCTSTR lpszFamily, FONTENUMPROC lpEnumFontFamProc, LPARAM lParam);
int EnumFontFamilies(HDC hdc, LPCTSTR lpszFamily, FONTENUMPROC lpEnumFontFamProc, LPARAM lParam);
