#pragma once
// A message box as a desktop window of its own, for a program that has no window: SDL's box,
// drawn by the desktop's own means (X11, or a helper on Wayland).

#include <string>
#include <string_view>

namespace platform {

// Shows text under caption with the buttons and icon of type (MB_OK, MB_OKCANCEL or MB_YESNO,
// with an MB_ICON value) and waits for the user. Returns the button chosen (IDOK, IDCANCEL,
// IDYES, IDNO); closing the box chooses Cancel or No where the box has one, else OK. Returns 0,
// with the reason in error, when no box can be shown.
int ShowSdlMessageBox(std::string_view text, std::string_view caption, unsigned type,
                      std::string* error);

}  // namespace platform
