// The window classes every program has: the framework's own, and the standard controls. A
// control's file provides its Register...Class function; add the call here.

#include "platform/gdi/SystemColors.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/WindowClass.h"

namespace platform {

void RegisterScrollBarClass();
void RegisterCommandBarClass();

void RegisterStandardClasses() {
    RegisterWindowClass({kPlainWindowClass, nullptr, -1});
    RegisterWindowClass({kFrameOrViewClass, nullptr, COLOR_WINDOW});
    // Dialogs on the handheld are white.
    RegisterWindowClass({kDialogClass, nullptr, COLOR_WINDOW});
    RegisterScrollBarClass();
    RegisterCommandBarClass();
    RegisterControlClasses();
}

}  // namespace platform
