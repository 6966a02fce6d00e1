#pragma once
// The platform services that need the screen: message boxes shown as a modal box in the work
// area, and the wait cursor as an hourglass at the screen's centre. A program with a window
// installs them; a headless run may keep the defaults (boxes answered at once and printed).

#include "platform/base/MessageBox.h"
#include "platform/base/WaitCursor.h"

namespace platform {

// A box over the work area with the caption in the top bar, the text word-wrapped, the icon of
// the type (MB_ICONSTOP: a stop sign) and its buttons; the first button is the default. Enter
// chooses the default button, Escape cancels (or, for a box with only OK, answers OK), a tap
// on a button chooses it. The window that was active is disabled meanwhile. When the program
// is closing or no input will come, the box answers with its default button.
class ScreenMessageBox final : public IMessageBoxService {
public:
    int Show(const CString& text, const CString& caption, UINT type) override;
};

class ScreenWaitCursor final : public IWaitCursorService {
public:
    void Begin() override;
    void End() override;
};

// Installs (or, with false, removes) the screen's services.
void UseScreenMessageBoxes(bool use);
void UseScreenWaitCursor(bool use);

}  // namespace platform
