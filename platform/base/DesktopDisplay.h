#pragma once
// Whether the program runs where windows can be shown.

namespace platform {

// The environment names a desktop display: DISPLAY (X11) or WAYLAND_DISPLAY is set and not
// empty. Whether that display can be reached is known only on trying.
bool HaveDesktopDisplay();

}  // namespace platform
