#include "platform/ui/CFrameWnd.h"

#include <vector>

#include "platform/ui/CControlBar.h"
#include "platform/ui/CDocTemplate.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CView.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"
#include "platform/ui/WindowSystem.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR /*lpszMenuName*/,
                       DWORD dwExStyle, CCreateContext* pContext) {
    m_strTitle = lpszWindowName != nullptr ? CString(lpszWindowName) : CString();
    const int width = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = rect.top == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle & ~WS_CHILD, rect.left,
                    rect.top, width, height, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    0, pContext);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    CString full;
    if (full.LoadString(nIDResource)) {
        const int newline = full.Find(u'\n');
        m_strTitle = newline < 0 ? full : full.Left(newline);
    }
    LoadAccelTable(nIDResource);
    const CString title = m_strTitle;
    return Create(nullptr, title, dwDefaultStyle & ~FWS_ADDTOTITLE, rectDefault, pParentWnd,
                  nullptr, 0, pContext);
}

BOOL CFrameWnd::LoadAccelTable(const ResourceId& name) {
    m_hAccelTable = LoadAccelerators(nullptr, name);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = platform::kFrameOrViewClass;
    return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT /*lpcs*/, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr ? TRUE : FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return nullptr;
    std::unique_ptr<CObject> object = pContext->m_pNewViewClass->CreateObject();
    auto* wnd = dynamic_cast<CWnd*>(object.get());
    if (wnd == nullptr)
        return nullptr;
    std::unique_ptr<CWnd> view(wnd);
    object.release();
    CRect client;
    GetClientRect(&client);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, nID, pContext))
        return nullptr;
    platform::AdoptWindowObject(std::move(view));
    return wnd;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* old = m_pViewActive;
    if (old == pViewNew)
        return;
    m_pViewActive = pViewNew;
    if (!bNotify)
        return;
    if (old != nullptr && old->m_hWnd != nullptr)
        old->OnActivateView(FALSE, pViewNew, old);
    if (pViewNew != nullptr && pViewNew->m_hWnd != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL /*bNotify*/) {
    if (m_hWnd == nullptr)
        return;
    CRect remaining;
    GetClientRect(&remaining);
    const platform::WindowRecord* rec = platform::FindRecord(m_hWnd);
    if (rec == nullptr)
        return;
    const std::vector<HWND> children = rec->children;
    CWnd* pane = nullptr;
    for (HWND child : children) {
        CWnd* wnd = CWnd::FromHandle(child);
        if (auto* bar = dynamic_cast<CControlBar*>(wnd)) {
            if (!bar->IsWindowVisible() && (bar->GetStyle() & WS_VISIBLE) == 0)
                continue;
            const int thickness = bar->GetBarThickness();
            if (bar->AtBottom()) {
                bar->SetWindowPos(nullptr, remaining.left, remaining.bottom - thickness,
                                  remaining.Width(), thickness, SWP_NOZORDER | SWP_NOACTIVATE);
                remaining.bottom -= thickness;
            } else {
                bar->SetWindowPos(nullptr, remaining.left, remaining.top, remaining.Width(),
                                  thickness, SWP_NOZORDER | SWP_NOACTIVATE);
                remaining.top += thickness;
            }
        } else if (wnd != nullptr && wnd->GetDlgCtrlID() == static_cast<int>(AFX_IDW_PANE_FIRST)) {
            pane = wnd;
        }
    }
    if (pane != nullptr) {
        pane->SetWindowPos(nullptr, remaining.left, remaining.top, remaining.Width(),
                           remaining.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* /*pDoc*/, BOOL bMakeVisible) {
    if (m_pViewActive == nullptr) {
        if (auto* view = dynamic_cast<CView*>(GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST))))
            SetActiveView(view, FALSE);
    }
    RecalcLayout();
    if (!bMakeVisible)
        return;
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    if (m_hWnd == nullptr)
        return;
    ActivateFrame(-1);
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1)
        nCmdShow = IsWindowVisible() ? SW_SHOWNA : SW_SHOW;
    ShowWindow(nCmdShow);
    if (IsWindowVisible() && IsWindowEnabled())
        SetActiveWindow();
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active view first; it passes the command on to its document.
    if (CView* view = GetActiveView();
        view != nullptr && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Then the frame itself.
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Last, the application.
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy() {
    platform::ReleaseWindowObject(this);
}

void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && !doc->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        // The main frame's close ends the program: every document closes, and with the last
        // one its frames, this one among them.
        for (int i = 0; i < app->GetDocTemplateCount(); ++i)
            app->GetDocTemplate(i)->CloseAllDocuments(FALSE);
        if (app->m_pMainWnd == nullptr || m_hWnd == nullptr)
            return;
    }
    if (doc != nullptr && doc->m_bAutoDelete) {
        bool otherFrame = false;
        for (CView* view : doc->GetViews())
            otherFrame = otherFrame || view->GetParentFrame() != this;
        if (!otherFrame) {
            doc->OnCloseDocument();
            if (m_hWnd == nullptr)
                return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT /*nIndex*/, BOOL bSysMenu) {
    if (pPopupMenu == nullptr || bSysMenu)
        return;
    const UINT count = pPopupMenu->GetMenuItemCount();
    for (UINT i = 0; i < count; ++i) {
        const UINT id = pPopupMenu->GetMenuItemID(static_cast<int>(i));
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;  // separators and pop-ups
        CCmdUI state;
        state.m_nID = id;
        const UINT before = pPopupMenu->GetMenuState(i, MF_BYPOSITION);
        // An item whose handler says nothing keeps the state it had.
        state.m_bEnabled = (before & (MF_GRAYED | MF_DISABLED)) == 0 ? TRUE : FALSE;
        state.m_nCheck = (before & MF_CHECKED) ? 1 : 0;
        state.DoUpdate(this, m_bAutoMenuEnable);
        pPopupMenu->EnableMenuItem(i, MF_BYPOSITION | (state.m_bEnabled ? MF_ENABLED : MF_GRAYED));
        pPopupMenu->CheckMenuItem(i, MF_BYPOSITION | (state.m_nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
}
