#include "platform/ui/ScreenServices.h"

#include "platform/ui/MessageBoxWindow.h"
#include "platform/ui/Screen.h"

namespace platform {

int ScreenMessageBox::Show(const CString& text, const CString& caption, UINT type) {
    MessageBoxWindow box(text, type);
    return box.Run(caption);
}

void ScreenWaitCursor::Begin() {
    Screen::Instance().SetWaitCursor(true);
}

void ScreenWaitCursor::End() {
    Screen::Instance().SetWaitCursor(false);
}

void UseScreenMessageBoxes(bool use) {
    static ScreenMessageBox& box = *new ScreenMessageBox;
    SetMessageBoxService(use ? &box : nullptr);
}

void UseScreenWaitCursor(bool use) {
    static ScreenWaitCursor& cursor = *new ScreenWaitCursor;
    SetWaitCursorService(use ? &cursor : nullptr);
}

}  // namespace platform
