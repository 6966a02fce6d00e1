#include "platform/ui/CDocument.h"

#include <algorithm>

#include "platform/base/CArchive.h"
#include "platform/base/CFile.h"
#include "platform/base/MessageBox.h"
#include "platform/ui/CDocTemplate.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CView.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        AfxMessageBox(error.GetErrorMessage().GetString(), MB_ICONSTOP);
        return FALSE;
    }
    DeleteContents();
    try {
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
        ar.Close();
    } catch (const CException& e) {
        DeleteContents();
        AfxMessageBox(e.GetErrorMessage().GetString(), MB_ICONSTOP);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL /*bAddToMRU*/) {
    m_strPathName = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    const int slash = m_strPathName.ReverseFind(u'/');
    SetTitle(m_strPathName.Mid(slash + 1));
}

void CDocument::OnCloseDocument() {
    if (m_bClosing)
        return;
    m_bClosing = true;
    // Closing the views must not close the document again from under this call.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    const std::vector<CView*> views = m_viewList;
    for (CView* view : views) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame != nullptr && frame->m_hWnd != nullptr)
            frame->DestroyWindow();
        else if (view->m_hWnd != nullptr)
            view->DestroyWindow();
        RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    m_bClosing = false;
    if (m_bAutoDelete && m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);  // deletes the document once handlers return
}

void CDocument::AddView(CView* pView) {
    if (pView == nullptr ||
        std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    const auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    const std::vector<CView*> views = m_viewList;
    for (CView* view : views) {
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList() {
    if (m_viewList.empty() && m_bAutoDelete && !m_bClosing)
        OnCloseDocument();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
