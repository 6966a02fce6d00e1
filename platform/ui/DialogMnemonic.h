#pragma once
// Mnemonics in dialogs and forms: a letter typed where the focused control takes no
// characters, or a letter key pressed with Alt anywhere, reaches the control whose text marks
// that letter with '&'. A push button is clicked; a static (a label) passes the focus to the
// control after it. IsDialogMessage calls this for the keyboard messages (WM_CHAR, and
// WM_KEYDOWN / WM_SYSKEYDOWN with Alt held, since Alt types no character on our displays).

#include "platform/ui/WinTypes.h"

namespace platform {

// The visible, enabled control of hDlg (at any depth) whose mnemonic is ch, searching from the
// control after hFrom and wrapping around; null when none has it. Letters match in either case.
HWND FindMnemonicControl(HWND hDlg, HWND hFrom, char16_t ch);

// TRUE when msg (a keyboard message for a window of hDlg) was a mnemonic and has been acted on;
// FALSE leaves the message to its window.
BOOL ProcessDialogMnemonic(HWND hDlg, const MSG& msg);

}  // namespace platform
