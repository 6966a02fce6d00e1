// The dialog keys: Tab and Shift+Tab, Enter, Escape and mnemonics, for dialogs and forms.

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/DialogMnemonic.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowSystem.h"

namespace {

UINT DialogCode(HWND hWnd, LPMSG lpMsg) {
    if (hWnd == nullptr)
        return 0;
    return static_cast<UINT>(
        ::SendMessage(hWnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg)));
}

bool IsPushButton(UINT code) {
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void Click(HWND hDlg, int id, HWND control) {
    ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                  HandleToLParam(control));
}

}  // namespace

BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg) {
    if (lpMsg == nullptr || !::IsWindow(hDlg) ||
        (lpMsg->hwnd != hDlg && !::IsChild(hDlg, lpMsg->hwnd)))
        return FALSE;
    const HWND focus = ::GetFocus();
    switch (lpMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            const UINT code = DialogCode(lpMsg->hwnd, lpMsg);
            if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
                return FALSE;
            switch (lpMsg->wParam) {
                case VK_TAB: {
                    if (code & DLGC_WANTTAB)
                        return FALSE;
                    const bool back = GetKeyState(VK_SHIFT) < 0;
                    const HWND next = ::GetNextDlgTabItem(hDlg, focus, back ? TRUE : FALSE);
                    if (next != nullptr) {
                        ::SetFocus(next);
                        if (DialogCode(next, lpMsg) & DLGC_HASSETSEL)
                            ::SendMessage(next, EM_SETSEL, 0, -1);
                    }
                    return TRUE;
                }
                case VK_RETURN: {
                    // A focused push button is pressed; otherwise the default button.
                    if (focus != nullptr && ::IsChild(hDlg, focus) &&
                        IsPushButton(DialogCode(focus, lpMsg))) {
                        Click(hDlg, ::GetDlgCtrlID(focus), focus);
                        return TRUE;
                    }
                    const LRESULT def = ::SendMessage(hDlg, DM_GETDEFID, 0, 0);
                    const int id = HIWORD(static_cast<std::uintptr_t>(def)) == DC_HASDEFID
                                       ? LOWORD(static_cast<std::uintptr_t>(def))
                                       : IDOK;
                    const HWND button = ::GetDlgItem(hDlg, id);
                    if (button != nullptr && !::IsWindowEnabled(button))
                        return TRUE;
                    Click(hDlg, id, button);
                    return TRUE;
                }
                case VK_ESCAPE:
                    Click(hDlg, IDCANCEL, ::GetDlgItem(hDlg, IDCANCEL));
                    return TRUE;
                default:
                    return platform::ProcessDialogMnemonic(hDlg, *lpMsg);
            }
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            const UINT code = DialogCode(lpMsg->hwnd, lpMsg);
            const auto ch = static_cast<char16_t>(lpMsg->wParam);
            // The characters of Tab, Enter and Escape were the keys' work already, unless the
            // control takes them.
            if ((ch == u'\t' && !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) ||
                ((ch == u'\r' || ch == 27) && !(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))))
                return TRUE;
            return platform::ProcessDialogMnemonic(hDlg, *lpMsg);
        }
        default:
            return FALSE;
    }
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) {
    return ::IsDialogMessage(m_hWnd, lpMsg);
}
