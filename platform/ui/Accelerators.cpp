#include "platform/ui/Accelerators.h"

#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowApi.h"

HACCEL LoadAccelerators(HINSTANCE hInstance, const ResourceId& name) {
    if (hInstance != nullptr)
        return hInstance->FindAccelerators(name);
    return AfxLoadAcceleratorTable(name);
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
    if (hAccTable == nullptr || lpMsg == nullptr || hWnd == nullptr)
        return 0;
    const UINT message = lpMsg->message;
    const bool key = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool character = message == WM_CHAR || message == WM_SYSCHAR;
    if (!key && !character)
        return 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    for (const AcceleratorEntry& entry : hAccTable->entries) {
        bool match = false;
        if (entry.virtKey) {
            match = key && entry.key == lpMsg->wParam && entry.control == ctrl &&
                    entry.shift == shift && entry.alt == alt;
        } else {
            // A character entry names the character itself ("^Q" is 17); only Alt is apart.
            match = character && entry.key == lpMsg->wParam && entry.alt == alt;
        }
        if (match) {
            ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(entry.command, 1), 0);
            return 1;
        }
    }
    return 0;
}
