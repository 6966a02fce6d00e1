#include "platform/ui/DialogMnemonic.h"

#include <algorithm>
#include <vector>

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowApi.h"

namespace platform {

namespace {

void CollectControls(HWND parent, std::vector<HWND>& out) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        out.push_back(child);
        CollectControls(child, out);
    }
}

UINT DlgCode(HWND hwnd, const MSG* msg = nullptr) {
    return static_cast<UINT>(::SendMessage(hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(msg)));
}

// The mnemonic a control answers to: a button's or a label's '&' letter.
char16_t MnemonicOf(HWND hwnd) {
    const UINT code = DlgCode(hwnd);
    const bool label = (code & DLGC_STATIC) != 0 &&
                       !(static_cast<DWORD>(::GetWindowLong(hwnd, GWL_STYLE)) & SS_NOPREFIX);
    if (!(code & DLGC_BUTTON) && !label)
        return 0;
    const int length = ::GetWindowTextLength(hwnd);
    if (length <= 0)
        return 0;
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int n = ::GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    return MenuMnemonic(text);
}

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool Usable(HWND hwnd) {
    return ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd);
}

// The control that follows a label: the next sibling that takes the focus by Tab.
HWND ControlAfterLabel(HWND label) {
    for (HWND next = ::GetWindow(label, GW_HWNDNEXT); next != nullptr;
         next = ::GetWindow(next, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(::GetWindowLong(next, GWL_STYLE));
        if ((style & WS_TABSTOP) && Usable(next))
            return next;
    }
    return nullptr;
}

}  // namespace

HWND FindMnemonicControl(HWND hDlg, HWND hFrom, char16_t ch) {
    ch = Upper(ch);
    if (ch == 0)
        return nullptr;
    std::vector<HWND> controls;
    CollectControls(hDlg, controls);
    if (controls.empty())
        return nullptr;
    const auto from = std::find(controls.begin(), controls.end(), hFrom);
    const std::size_t start =
        from == controls.end() ? 0 : static_cast<std::size_t>(from - controls.begin()) + 1;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const HWND candidate = controls[(start + i) % controls.size()];
        if (Usable(candidate) && MnemonicOf(candidate) == ch)
            return candidate;
    }
    return nullptr;
}

BOOL ProcessDialogMnemonic(HWND hDlg, const MSG& msg) {
    const bool alt = ::GetKeyState(static_cast<int>(VK_MENU)) < 0;
    char16_t ch = 0;
    switch (msg.message) {
        case WM_CHAR: {
            // A plain letter is a mnemonic only where the focused control types no characters.
            const HWND focus = ::GetFocus();
            if (focus != nullptr && (focus == hDlg || ::IsChild(hDlg, focus)) &&
                (DlgCode(focus, &msg) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
                return FALSE;
            ch = static_cast<char16_t>(msg.wParam);
            break;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // With Alt held the key itself is the mnemonic: Alt types no character here.
            if (!alt || !((msg.wParam >= 'A' && msg.wParam <= 'Z') ||
                          (msg.wParam >= '0' && msg.wParam <= '9')))
                return FALSE;
            ch = static_cast<char16_t>(msg.wParam);
            break;
        case WM_SYSCHAR:
            // The key-down has acted already; its character only must not reach the control.
            return FindMnemonicControl(hDlg, nullptr, static_cast<char16_t>(msg.wParam)) != nullptr
                       ? TRUE
                       : FALSE;
        default:
            return FALSE;
    }
    if (ch <= u' ')
        return FALSE;
    const HWND target = FindMnemonicControl(hDlg, ::GetFocus(), ch);
    if (target == nullptr)
        return FALSE;
    if (DlgCode(target) & DLGC_BUTTON) {
        ::SendMessage(target, BM_CLICK, 0, 0);
        return TRUE;
    }
    if (const HWND next = ControlAfterLabel(target)) {
        ::SetFocus(next);
        if (DlgCode(next) & DLGC_HASSETSEL)
            ::SendMessage(next, EM_SETSEL, 0, -1);
    }
    return TRUE;
}

}  // namespace platform
