#pragma once
// Data exchange between a dialog's (or form's) members and its controls: DoDataExchange is
// given a CDataExchange and calls DDX_ / DDV_ functions, which fill the controls
// (m_bSaveAndValidate FALSE) or read and check them (TRUE). A check that fails tells the user,
// then calls Fail(), which puts the focus back on the control and ends the exchange; UpdateData
// then answers FALSE.
//
// Here: the exchange context and DDX_Control. The text and number exchanges and the range
// checks (DDX_Text, DDV_MinMaxInt ...) come with the controls.

#include "platform/base/CException.h"
#include "platform/ui/WinTypes.h"

class CWnd;

// A failure the user has already been told about.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
protected:
    CString ErrorText() const override;
};

// A request the framework cannot carry out (a control that the template lacks, a window that
// is taken over twice).
class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
protected:
    CString ErrorText() const override;
};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The dialog's control nIDC, remembered for Fail. Throws CNotSupportedException when the
    // dialog has no such control.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text Fail selects.
    HWND PrepareEditCtrl(int nIDC);
    // Gives the last prepared control the focus (selecting an edit's text) and throws
    // CUserException.
    [[noreturn]] void Fail();
};

// Lets rControl take over the dialog's control nIDC (once; later exchanges do nothing).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Edits select their text with this message (start in wParam, end in lParam; 0, -1 for all).
inline constexpr UINT EM_SETSEL = 0x00B1;
