#pragma once
// A dialog from a template. DoModal makes it fill the work area, as dialogs do on the handheld,
// with its caption in the top bar and, there, an ok button (IDOK) and a close box (IDCANCEL);
// the owner is disabled while it runs, in a loop nested in the caller's handler, and DoModal
// returns what EndDialog was given.
//
// Keys: Tab and Shift+Tab move the focus among the controls that take it, Enter is the default
// button's (IDOK unless DM_SETDEFID says otherwise) where the focused control does not want
// it, Escape is IDCANCEL, and a control's mnemonic clicks or focuses it.

#include "platform/base/Resources.h"
#include "platform/ui/CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog; the result of EndDialog, IDCANCEL when the program is closing or no
    // input will come, -1 when the template is missing or a control cannot be made.
    virtual int DoModal();
    // A modeless dialog, shown at once if its template says WS_VISIBLE.
    using CWnd::Create;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // The data exchange into the controls. TRUE: the dialog gives the focus to its first
    // control that takes the tab.
    virtual BOOL OnInitDialog();
    // Reads the controls back; when they are valid, ends the dialog with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    // Ends a modal dialog with nResult (DoModal returns it); hides a modeless one.
    void EndDialog(int nResult);

    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    LRESULT OnInitDialogMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDefIDMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetDefIDMessage(WPARAM wParam, LPARAM lParam);
    void OnClose();
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    DECLARE_MESSAGE_MAP()

protected:
    // The window and controls of the template, WM_INITDIALOG, and the first focus.
    BOOL CreateFromTemplate(const DialogTemplate& dialog, HWND owner, bool modal);

    ResourceId m_lpszTemplateName;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = -1;
    bool m_bModalRunning = false;
    UINT m_nDefID = 0;
};

// The dialog keys for hDlg's controls (see CDialog); TRUE when the message was one of them.
BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
