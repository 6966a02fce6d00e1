#pragma once
// Dialog templates on the screen: dialog units, the dialog font, and the controls of a
// template made as windows.
//
// Dialog units are fixed here, whatever the font: 4 horizontal units are 7 pixels, so that a
// 137-unit-wide template is 240 pixels wide, the width of the screen; 8 vertical units are 14
// pixels, so that a 150-unit-high template is 263 pixels high and fits the 268-pixel work area.
// The font a template names ("System" 8 point) is the system font, Tahoma 8 point as
// fontconfig resolves it.

#include "platform/base/Resources.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/WinTypes.h"

namespace platform {

inline constexpr int kDialogBaseUnitX = 7;   // pixels per 4 horizontal dialog units
inline constexpr int kDialogBaseUnitY = 14;  // pixels per 8 vertical dialog units

// Rounded to the nearest pixel, halves away from zero, as the platform's MulDiv does.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);
CRect DialogUnitsToPixels(const CRect& units);

// The font of a template (its face and size), or the system font when it names none; shared
// by every dialog that asks for the same, and kept for the program's life.
CFont* DialogFont(const DialogTemplate& dialog);

// The window class of a template item: its class name, or the predefined class it names.
std::u16string ItemClassName(const DialogItemTemplate& item);

// Makes the template's controls, in template order (which is their z-order and tab order), as
// children of parent, each placed in pixels and given the template's font. A picture static
// that names a resource gets "#<id>" as its text. FALSE when a control could not be made (an
// unknown class); the controls made so far stay for the caller to destroy with the parent.
BOOL CreateDialogControls(HWND parent, const DialogTemplate& dialog);

}  // namespace platform

// The template's rectangle in dialog units becomes pixels, as the platform's MapDialogRect.
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
// The base units: the horizontal in the low word, the vertical in the high word.
LONG GetDialogBaseUnits();
