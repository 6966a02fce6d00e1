#pragma once
// Window classes by name. Dialog templates name their controls' classes ("BUTTON", "EDIT",
// "msctls_updown32", a view's own class ...), so every kind of window that a template may hold
// is registered here, and a window made from a class gets the class's behaviour object: the
// control's own code, which handles the messages that the window's C++ wrapper leaves to it.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/Types.h"

class CWnd;

namespace platform {

struct WindowClassInfo {
    std::u16string name;  // lookups ignore ASCII letter case, as the platform's do
    // Makes the object that handles the messages of one window of the class, below any C++
    // object that later subclasses the window. Empty for a class with no behaviour of its own.
    std::function<std::unique_ptr<CWnd>()> makeBehaviour;
    // The system colour (COLOR_WINDOW ...) that WM_ERASEBKGND fills the client area with, or -1
    // for a class that erases nothing.
    int backgroundColor = -1;
};

// FALSE when a class of that name exists already, or the name is empty.
BOOL RegisterWindowClass(WindowClassInfo info);
// Null when no class has that name.
const WindowClassInfo* FindWindowClass(std::u16string_view name);
BOOL UnregisterWindowClass(std::u16string_view name);

// The class names the framework itself uses.
inline constexpr char16_t kPlainWindowClass[] = u"AfxWnd";
inline constexpr char16_t kFrameOrViewClass[] = u"AfxFrameOrView";
inline constexpr char16_t kDialogClass[] = u"#32770";

// Registers the framework's classes and the standard controls; FindWindowClass runs it once
// before its first lookup. Each control's file provides its own Register...Class function, and
// StandardClasses.cpp calls them.
void RegisterStandardClasses();

}  // namespace platform
