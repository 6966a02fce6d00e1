#include "platform/ui/CDialog.h"

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"
#include "platform/ui/WindowSystem.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, OnInitDialogMessage)
ON_MESSAGE(DM_GETDEFID, OnGetDefIDMessage)
ON_MESSAGE(DM_SETDEFID, OnSetDefIDMessage)
ON_WM_CLOSE()
ON_COMMAND(IDOK, OnOKCommand)
ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

BOOL CDialog::CreateFromTemplate(const DialogTemplate& dialog, HWND owner, bool modal) {
    DWORD style = (dialog.style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    // On the handheld a dialog takes the whole work area; its caption is the top bar's.
    const CRect area = platform::WorkAreaRect();
    if (!CreateEx(dialog.exStyle, platform::kDialogClass, dialog.caption.c_str(), style, area.left,
                  area.top, area.Width(), area.Height(), owner, 0))
        return FALSE;
    if (platform::WindowRecord* rec = platform::FindRecord(m_hWnd))
        rec->modal = modal;
    if (!platform::CreateDialogControls(m_hWnd, dialog)) {
        DestroyWindow();
        return FALSE;
    }
    const HWND first = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
    if (SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) && m_hWnd != nullptr) {
        const HWND focus = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
        ::SetFocus(focus != nullptr ? focus : m_hWnd);
        if (focus != nullptr && (::SendMessage(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
            ::SendMessage(focus, EM_SETSEL, 0, -1);
    }
    return m_hWnd != nullptr;
}

int CDialog::DoModal() {
    const DialogTemplate* dialog = AfxLoadDialogTemplate(m_lpszTemplateName);
    if (dialog == nullptr)
        return -1;
    // The owner is the top-level window of the parent given, else the main window.
    HWND owner = nullptr;
    if (CWnd* top = m_pParentWnd != nullptr ? m_pParentWnd->GetTopLevelParent() : nullptr)
        owner = top->m_hWnd;
    else if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->m_hWnd != nullptr)
        owner = main->m_hWnd;
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_bModalRunning = true;
    if (!CreateFromTemplate(*dialog, owner, true)) {
        m_bModalRunning = false;
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    if (m_bModalRunning && m_hWnd != nullptr)
        ShowWindow(SW_SHOW);
    const bool completed =
        platform::RunModalLoop([this] { return m_bModalRunning && m_hWnd != nullptr; });
    if (!completed || m_bModalRunning)
        m_nModalResult = IDCANCEL;
    m_bModalRunning = false;

    // The owner comes back before the dialog goes, so that it is the one activated.
    if (disableOwner && ::IsWindow(owner))
        ::EnableWindow(owner, TRUE);
    if (owner != nullptr && ::IsWindowVisible(owner))
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_lpszTemplateName = ResourceId(nIDTemplate);
    m_pParentWnd = pParentWnd;
    const DialogTemplate* dialog = AfxLoadDialogTemplate(m_lpszTemplateName);
    if (dialog == nullptr)
        return FALSE;
    HWND owner = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    if (!CreateFromTemplate(*dialog, owner, false))
        return FALSE;
    if (dialog->style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_bModalRunning) {
        m_bModalRunning = false;
        ShowWindow(SW_HIDE);
    } else if (m_hWnd != nullptr) {
        ShowWindow(SW_HIDE);
    }
}

void CDialog::SetDefID(UINT nID) {
    m_nDefID = nID;
}

DWORD CDialog::GetDefID() const {
    return m_nDefID != 0 ? static_cast<DWORD>(MAKELONG(static_cast<WORD>(m_nDefID), DC_HASDEFID))
                         : 0;
}

void CDialog::NextDlgCtrl() const {
    ::SetFocus(::GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE));
}

void CDialog::PrevDlgCtrl() const {
    ::SetFocus(::GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE));
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl != nullptr)
        pWndCtrl->SetFocus();
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM) {
    return OnInitDialog();
}

LRESULT CDialog::OnGetDefIDMessage(WPARAM, LPARAM) {
    return static_cast<LRESULT>(GetDefID());
}

LRESULT CDialog::OnSetDefIDMessage(WPARAM wParam, LPARAM) {
    SetDefID(static_cast<UINT>(wParam));
    return TRUE;
}

void CDialog::OnClose() {
    SendMessage(WM_COMMAND, IDCANCEL, 0);
}
