#pragma once
// For scripted runs: the text that a window's joke view holds, found among its descendants.

#include <optional>

#include "platform/base/CString.h"
#include "platform/ui/WinTypes.h"

// Nothing when the window shows no joke view.
std::optional<CString> JokeViewText(HWND window);
