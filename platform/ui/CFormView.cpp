#include "platform/ui/CFormView.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/WindowClass.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(nIDTemplate) {}

CFormView::CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

BOOL CFormView::Create(LPCTSTR /*lpszClassName*/, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    const DialogTemplate* dialog = AfxLoadDialogTemplate(m_lpszTemplateName);
    if (dialog == nullptr)
        return FALSE;
    // The view is a dialog-like window: white, and a parent whose controls take the tab.
    if (!CreateEx(WS_EX_CONTROLPARENT, platform::kDialogClass, lpszWindowName,
                  (dwStyle | WS_CHILD) & ~(WS_CAPTION | WS_POPUP), rect, pParentWnd, nID, pContext))
        return FALSE;
    if (!platform::CreateDialogControls(m_hWnd, *dialog)) {
        DestroyWindow();
        return FALSE;
    }
    const CRect size = platform::DialogUnitsToPixels(CRect(0, 0, dialog->cx, dialog->cy));
    SetScrollSizes(MM_TEXT, size.Size());
    return TRUE;
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC* /*pDC*/) {}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // The frames' accelerators first, since the dialog keys would take some of them.
    for (CFrameWnd* frame = GetParentFrame(); frame != nullptr; frame = frame->GetParentFrame()) {
        if (frame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return IsDialogMessage(pMsg);
}
