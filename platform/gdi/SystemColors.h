#pragma once
// The system colours. Indexes carry the device's system-colour flag, as its headers define
// them; GetSysColor accepts an index with or without the flag.

#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/Color.h"

inline constexpr int SYS_COLOR_INDEX_FLAG = 0x40000000;

inline constexpr int COLOR_SCROLLBAR = 0 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BACKGROUND = 1 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_ACTIVECAPTION = 2 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INACTIVECAPTION = 3 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_MENU = 4 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOW = 5 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOWFRAME = 6 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_MENUTEXT = 7 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOWTEXT = 8 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_CAPTIONTEXT = 9 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_ACTIVEBORDER = 10 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INACTIVEBORDER = 11 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_APPWORKSPACE = 12 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_HIGHLIGHT = 13 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNFACE = 15 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNSHADOW = 16 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_GRAYTEXT = 17 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNTEXT = 18 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNHIGHLIGHT = 20 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_3DDKSHADOW = 21 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_3DLIGHT = 22 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INFOTEXT = 23 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INFOBK = 24 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_STATIC = 25 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_STATICTEXT = 26 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_DESKTOP = COLOR_BACKGROUND;
inline constexpr int COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
inline constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;

// Black for an index that names no colour.
COLORREF GetSysColor(int nIndex);
// A brush of the colour that lives as long as the program; null for an unknown index.
HBRUSH GetSysColorBrush(int nIndex);
