#pragma once
// A window object: the framework's C++ face of a window. The window itself (its place in the
// tree, rectangle, styles, text) lives in the window system and is named by m_hWnd; a CWnd
// either made it (Create) or took it over (SubclassWindow, as DDX_Control does for a dialog's
// control). Messages reach the object through WindowProc -> OnWndMsg (its message map, most
// derived class first) -> DefWindowProc, which hands what the object leaves alone to the object
// it took the window over from (the control's own behaviour), and finally to ::DefWindowProc.

#include "platform/base/CString.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/CCmdTarget.h"
#include "platform/ui/CCreateContext.h"
#include "platform/ui/WinTypes.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowStyles.h"

class CDataExchange;
class CFrameWnd;
class CMenu;
class CScrollBar;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    // A window the object made is destroyed with it; a window it took over is handed back to
    // the object below it.
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }  // NOLINT(google-explicit-constructor)
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object that answers the window's messages first; null for no window.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }

    // Takes over an existing window: the object answers its messages from now on, and passes
    // what it leaves alone to the object that answered before. FALSE when the object already
    // has a window or hWnd names none.
    BOOL SubclassWindow(HWND hWnd);
    // Takes over the parent's child with control id nID.
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window back to the object below; returns the window.
    HWND UnsubclassWindow();
    // Wraps a window without answering its messages (its own objects keep doing that).
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // --- Creation and destruction ---
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, UINT nID,
                  void* lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam = nullptr);
    // May change the creation values; FALSE stops the creation. A null class becomes the
    // framework's plain window class.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();
    // Called last, after the window is gone and the object detached from it. Frames and views
    // let the window system delete them here.
    virtual void PostNcDestroy();

    // --- The tree ---
    CWnd* GetParent() const;
    CWnd* GetOwner() const { return GetParent(); }
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopLevelParent() const;
    // The nearest frame among the parents, or null.
    CFrameWnd* GetParentFrame() const;
    // The frame at the top of the parents (or this window when it is one), or null.
    CFrameWnd* GetTopLevelFrame() const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE);

    // --- Styles and text ---
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // --- Geometry ---
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // Centres the window over its owner (or parent), or pAlternateOwner, kept inside the work
    // area (inside the parent's client area for a child).
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    static CWnd* WindowFromPoint(POINT point);
    CWnd* ChildWindowFromPoint(POINT point) const;

    // SetWindowPos's z-order places.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // --- State ---
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // --- Messages ---
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // --- Painting ---
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, void* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // A context on the client area (GetDC) or the whole window (GetWindowDC), drawing
    // straight onto the screen; give it back with ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

    // --- Standard scroll bars ---
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    int GetScrollLimit(int nBar);

    // --- Data exchange ---
    // Runs DoDataExchange: FALSE fills the controls from the members, TRUE reads them back and
    // validates. FALSE when a value failed (the user has been told, and the control that
    // failed has the focus).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // --- The message machinery ---
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map: TRUE when a handler took the message, its answer in *pResult.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: a control's notification goes first to the control (OnChildNotify), then
    // with a menu or accelerator command (after checking that its user-interface item is not
    // disabled) through OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A parent offers its control the control's own notification first; TRUE keeps it there.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called for each queued message before it is dispatched: first for the message's window,
    // then for each of its parents, then the application's. TRUE consumes the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Tab, Shift+Tab, Enter, Escape and mnemonics of a dialog-like window; TRUE when taken.
    BOOL IsDialogMessage(LPMSG lpMsg);
    // The default processing of the message being handled.
    LRESULT Default();
    // The message being handled by this object.
    const MSG* GetCurrentMessage() const { return &m_currentMsg; }

    // --- Handlers of the base class; each does the default processing ---
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnEnable(BOOL bEnable);
    void OnClose();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnTimer(UINT_PTR nIDEvent);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    UINT OnGetDlgCode();
    void OnCancelMode();
    void OnCaptureChanged(CWnd* pWnd);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

protected:
    // For the z-order places: a CWnd naming no real window.
    explicit CWnd(HWND hWndSpecial) : m_hWnd(hWndSpecial), m_bSpecial(true) {}

private:
    friend class CWndMessageScope;
    MSG m_currentMsg{};
    bool m_bSpecial = false;
};
