#pragma once
// WM_NOTIFY: the notifications that the common controls (the up-down control ...) send their
// parent carry a structure that starts with this header. The message's first parameter is the
// control's id, the second points at the structure; the parent's answer goes back to the
// control.

#include "platform/ui/WinTypes.h"

struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};
using LPNMHDR = NMHDR*;
