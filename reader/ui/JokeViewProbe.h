#pragma once
// For scripted runs: the text that a window's joke view holds, found among its descendants,
// and which of the reader's windows is active.

#include <optional>

#include "platform/base/CString.h"
#include "platform/ui/WinTypes.h"

// Nothing when the window shows no joke view.
std::optional<CString> JokeViewText(HWND window);

// Whether window is the Select font dialog, where the number field holds the size.
bool IsSelectFontDialog(HWND window);
