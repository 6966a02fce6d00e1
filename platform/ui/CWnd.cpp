#include "platform/ui/CWnd.h"

#include <algorithm>
#include <string>

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowMessageMap.h"
#include "platform/ui/WindowSystem.h"

using platform::FindRecord;
using platform::WindowRecord;

// Keeps the message an object is handling, for Default(), across nested messages.
class CWndMessageScope {
public:
    CWndMessageScope(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_wnd(wnd), m_saved(wnd.m_currentMsg) {
        wnd.m_currentMsg.hwnd = wnd.m_hWnd;
        wnd.m_currentMsg.message = message;
        wnd.m_currentMsg.wParam = wParam;
        wnd.m_currentMsg.lParam = lParam;
    }
    ~CWndMessageScope() { m_wnd.m_currentMsg = m_saved; }
    CWndMessageScope(const CWndMessageScope&) = delete;
    CWndMessageScope& operator=(const CWndMessageScope&) = delete;

private:
    CWnd& m_wnd;
    MSG m_saved;
};

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd == nullptr || m_bSpecial)
        return;
    WindowRecord* rec = FindRecord(m_hWnd);
    if (rec == nullptr)
        return;
    const bool created = rec->creator == this;
    platform::ForgetObject(this);
    const HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    // The window dies with the object that made it; one taken over goes back to its owner.
    if (created)
        ::DestroyWindow(hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return nullptr;
    if (!rec->chain.empty())
        return rec->chain.back();
    return rec->attached.empty() ? nullptr : rec->attached.front();
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    WindowRecord* rec = FindRecord(hWnd);
    if (m_hWnd != nullptr || rec == nullptr || rec->destroying)
        return FALSE;
    m_hWnd = hWnd;
    rec->chain.push_back(this);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == nullptr)
        return FALSE;
    const HWND hWnd = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWnd != nullptr && SubclassWindow(hWnd);
}

HWND CWnd::UnsubclassWindow() {
    const HWND hWnd = m_hWnd;
    platform::ForgetObject(this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::Attach(HWND hWndNew) {
    WindowRecord* rec = FindRecord(hWndNew);
    if (m_hWnd != nullptr || rec == nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    rec->attached.push_back(this);
    return TRUE;
}

HWND CWnd::Detach() {
    return UnsubclassWindow();
}

// --- Creation and destruction ---

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, UINT nID,
                    void* lpParam) {
    CREATESTRUCT cs = platform::MakeCreateStruct(dwExStyle, lpszClassName, lpszWindowName, dwStyle,
                                                 x, y, nWidth, nHeight, hWndParent, nID, lpParam);
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    return platform::CreateWindowFor(this, cs) != nullptr ? TRUE : FALSE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, nID, lpParam);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = platform::kPlainWindowClass;
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CWnd::PostNcDestroy() {}

// --- The tree ---

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID) {
    return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, nID));
}

CWnd* CWnd::GetWindow(UINT nCmd) const {
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetTopLevelParent() const {
    const WindowRecord* top = platform::TopLevelOf(FindRecord(m_hWnd));
    return top != nullptr ? FromHandle(top->handle) : nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(parent))
            return frame;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    auto* frame = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(this));
    if (frame == nullptr)
        frame = GetParentFrame();
    while (frame != nullptr) {
        CFrameWnd* outer = frame->GetParentFrame();
        if (outer == nullptr)
            break;
        frame = outer;
    }
    return frame;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const {
    return pWnd != nullptr && ::IsChild(m_hWnd, pWnd->m_hWnd);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
    return FromHandle(
        ::GetNextDlgTabItem(m_hWnd, pWndCtl != nullptr ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) {
    const WindowRecord* rec = FindRecord(m_hWnd);
    if (rec == nullptr)
        return;
    const std::vector<HWND> children = rec->children;
    for (HWND child : children) {
        ::SendMessage(child, message, wParam, lParam);
        if (bDeep) {
            if (CWnd* wnd = FromHandle(child))
                wnd->SendMessageToDescendants(message, wParam, lParam, TRUE);
        }
    }
}

// --- Styles and text ---

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const DWORD old = GetStyle();
    const DWORD style = (old & ~dwRemove) | dwAdd;
    if (m_hWnd == nullptr || style == old)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const DWORD old = GetExStyle();
    const DWORD style = (old & ~dwRemove) | dwAdd;
    if (m_hWnd == nullptr || style == old)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(style));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::SetWindowText(LPCTSTR lpszString) {
    ::SetWindowText(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const {
    const int length = ::GetWindowTextLength(m_hWnd);
    std::u16string buffer(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
    const int n = ::GetWindowText(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
    rString = CString(buffer.data(), std::max(n, 0));
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLength(m_hWnd);
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
    ::SetWindowText(::GetDlgItem(m_hWnd, nID), lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    if (CWnd* item = GetDlgItem(nID))
        item->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT,
                reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->GetSafeHandle() : nullptr),
                bRedraw);
}

CFont* CWnd::GetFont() const {
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

// --- Geometry ---

void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    POINT tl{lpRect->left, lpRect->top}, br{lpRect->right, lpRect->bottom};
    ::ClientToScreen(m_hWnd, &tl);
    ::ClientToScreen(m_hWnd, &br);
    *lpRect = RECT{tl.x, tl.y, br.x, br.y};
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    POINT tl{lpRect->left, lpRect->top}, br{lpRect->right, lpRect->bottom};
    ::ScreenToClient(m_hWnd, &tl);
    ::ScreenToClient(m_hWnd, &br);
    *lpRect = RECT{tl.x, tl.y, br.x, br.y};
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pwndTo != nullptr ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    POINT pts[2] = {{lpRect->left, lpRect->top}, {lpRect->right, lpRect->bottom}};
    ::MapWindowPoints(m_hWnd, pwndTo != nullptr ? pwndTo->m_hWnd : nullptr, pts, 2);
    *lpRect = RECT{pts[0].x, pts[0].y, pts[1].x, pts[1].y};
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x,
                          y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    const WindowRecord* rec = FindRecord(m_hWnd);
    if (rec == nullptr)
        return;
    CRect window;
    GetWindowRect(&window);
    CRect bounds = platform::WorkAreaRect();
    CRect center = bounds;
    if (rec->IsChild()) {
        CRect parentClient;
        ::GetClientRect(rec->parent, &parentClient);
        POINT origin{0, 0};
        ::ClientToScreen(rec->parent, &origin);
        bounds = parentClient + CPoint(origin);
        center = bounds;
    } else {
        const HWND owner = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : rec->owner;
        if (owner != nullptr && ::IsWindowVisible(owner))
            ::GetWindowRect(owner, &center);
    }
    int x = center.left + (center.Width() - window.Width()) / 2;
    int y = center.top + (center.Height() - window.Height()) / 2;
    // Kept inside: the right and bottom edges first, so that a window larger than the area
    // shows its top left corner.
    x = std::max(std::min(x, static_cast<int>(bounds.right) - window.Width()),
                 static_cast<int>(bounds.left));
    y = std::max(std::min(y, static_cast<int>(bounds.bottom) - window.Height()),
                 static_cast<int>(bounds.top));
    POINT pos{x, y};
    if (rec->IsChild())
        ::ScreenToClient(rec->parent, &pos);
    ::SetWindowPos(m_hWnd, nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::WindowFromPoint(POINT point) {
    return FromHandle(::WindowFromPoint(point));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}

// --- State ---

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetActiveWindow() {
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* CWnd::GetActiveWindow() {
    return FromHandle(::GetActiveWindow());
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

// --- Messages ---

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_hWnd != nullptr ? ::PostMessage(m_hWnd, message, wParam, lParam) : FALSE;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessage(::GetDlgItem(m_hWnd, nID), message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return m_hWnd != nullptr ? ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}

// --- Painting ---

void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect) {
    ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, void* /*prgnUpdate*/, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, flags);
}

CDC* CWnd::GetDC() {
    return platform::DcFromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC() {
    return platform::DcFromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC) {
    return pDC != nullptr ? ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()) : 0;
}

// --- Standard scroll bars ---

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    if (m_hWnd == nullptr || lpScrollInfo == nullptr)
        return FALSE;
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
    if (lpScrollInfo == nullptr)
        return FALSE;
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) {
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

int CWnd::GetScrollPos(int nBar) const {
    return ::GetScrollPos(m_hWnd, nBar);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) {
    ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
}

int CWnd::GetScrollLimit(int nBar) {
    SCROLLINFO si;
    if (!GetScrollInfo(nBar, &si, SIF_RANGE | SIF_PAGE))
        return 0;
    platform::ScrollBarState state;
    state.Set(si);
    return state.MaxPosition();
}

// --- Data exchange ---

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/) {}

// --- The message machinery ---

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    CWndMessageScope scope(*this, message, wParam, lParam);
    LRESULT result = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
        result = handled ? 1 : 0;
    } else {
        platform::MessageArgs args;
        args.message = message;
        args.wParam = wParam;
        args.lParam = lParam;
        handled = DispatchWindowMessage(args) ? TRUE : FALSE;
        result = args.result;
    }
    if (pResult != nullptr)
        *pResult = result;
    return handled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // What this object leaves alone goes to the object it took the window over from.
    WindowRecord* rec = FindRecord(m_hWnd);
    if (rec != nullptr) {
        const auto it = std::find(rec->chain.begin(), rec->chain.end(), this);
        if (it != rec->chain.end() && it != rec->chain.begin())
            return (*(it - 1))->WindowProc(message, wParam, lParam);
    }
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = LParamToHandle(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // A menu item or an accelerator: a command whose item is disabled is not carried out.
        if (nID == 0)
            return FALSE;
        CCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        CWnd* control = FromHandle(hWndCtrl);
        if (control != nullptr && control != this &&
            control->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnChildNotify(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                         LRESULT* /*pResult*/) {
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/) {
    return FALSE;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

// --- Handlers of the base class ---

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnNcDestroy() {
    // The main window's end is the program's end.
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}
void CWnd::OnCancelMode() {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) {
    Default();
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
    return reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(Default()));
}
