#pragma once
// The handheld's screen: 240 x 320 pixels, portrait. A 26-pixel bar at the top shows the active
// window's title (and, for a dialog, its ok button and close box); the command bar with the
// menu takes the bottom 26 pixels; the work area between them is where forms and dialogs live.

#include "platform/gdi/Geometry.h"

namespace platform {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;
inline constexpr int kTopBarHeight = 26;
inline constexpr int kCommandBarHeight = 26;

inline CRect ScreenBounds() {
    return CRect(0, 0, kScreenWidth, kScreenHeight);
}
inline CRect TopBarRect() {
    return CRect(0, 0, kScreenWidth, kTopBarHeight);
}
inline CRect CommandBarRect() {
    return CRect(0, kScreenHeight - kCommandBarHeight, kScreenWidth, kScreenHeight);
}
// Between the bars: 240 x 268.
inline CRect WorkAreaRect() {
    return CRect(0, kTopBarHeight, kScreenWidth, kScreenHeight - kCommandBarHeight);
}
// Where a main window goes: everything below the top bar, the command bar row included.
inline CRect MainWindowRect() {
    return CRect(0, kTopBarHeight, kScreenWidth, kScreenHeight);
}

}  // namespace platform
