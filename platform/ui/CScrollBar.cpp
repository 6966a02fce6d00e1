#include "platform/ui/CScrollBar.h"

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ScrollBarPainter.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(u"SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    return CWnd::SetScrollInfo(SB_CTL, lpScrollInfo, bRedraw);
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) {
    return CWnd::GetScrollInfo(SB_CTL, lpScrollInfo, nMask);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) {
    return static_cast<int>(SendMessage(SBM_SETPOS, static_cast<WPARAM>(nPos), bRedraw));
}

int CScrollBar::GetScrollPos() const {
    return static_cast<int>(SendMessage(SBM_GETPOS));
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
    SendMessage(bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(nMinPos), nMaxPos);
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const {
    SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos),
                reinterpret_cast<LPARAM>(lpMaxPos));
}

int CScrollBar::GetScrollLimit() {
    return CWnd::GetScrollLimit(SB_CTL);
}

BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) {
    return ::EnableScrollBar(m_hWnd, static_cast<UINT>(SB_CTL), nArrowFlags);
}

namespace platform {

CScrollBar* MsgScrollBar(LPARAM lParam) {
    return dynamic_cast<CScrollBar*>(CWnd::FromHandle(LParamToHandle(lParam)));
}

BEGIN_MESSAGE_MAP(ScrollBarControl, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_ENABLE()
ON_MESSAGE(SBM_SETSCROLLINFO, OnSetScrollInfo)
ON_MESSAGE(SBM_GETSCROLLINFO, OnGetScrollInfo)
ON_MESSAGE(SBM_SETPOS, OnSetPos)
ON_MESSAGE(SBM_GETPOS, OnGetPos)
ON_MESSAGE(SBM_SETRANGE, OnSetRange)
ON_MESSAGE(SBM_SETRANGEREDRAW, OnSetRangeRedraw)
ON_MESSAGE(SBM_GETRANGE, OnGetRange)
ON_MESSAGE(SBM_ENABLE_ARROWS, OnEnableArrows)
END_MESSAGE_MAP()

CRect ScrollBarControl::Bar() const {
    CRect client;
    GetClientRect(&client);
    return client;
}

void ScrollBarControl::OnPaint() {
    CPaintDC dc(this);
    PaintScrollBar(dc, Bar(), m_state, Vertical());
}

void ScrollBarControl::Notify(UINT code, int pos) {
    if (CWnd* parent = GetParent()) {
        ::SendMessage(parent->m_hWnd, Vertical() ? WM_VSCROLL : WM_HSCROLL,
                      MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                      HandleToLParam(m_hWnd));
    }
}

void ScrollBarControl::OnLButtonDown(UINT, CPoint point) {
    if (m_state.disabled || !m_state.CanScroll())
        return;
    const bool vertical = Vertical();
    const ScrollPart part = m_state.HitTest(Bar(), vertical, point);
    if (part == ScrollPart::None)
        return;
    SetCapture();
    m_state.tracking = part;
    Invalidate(FALSE);
    if (part == ScrollPart::Thumb) {
        const ScrollBarGeometry g = m_state.Layout(Bar(), vertical);
        m_state.dragOffset = vertical ? point.y - g.thumb.top : point.x - g.thumb.left;
        m_state.nTrackPos = m_state.nPos;
        return;
    }
    const UINT code = part == ScrollPart::LineUp     ? SB_LINEUP
                      : part == ScrollPart::LineDown ? SB_LINEDOWN
                      : part == ScrollPart::PageUp   ? SB_PAGEUP
                                                     : SB_PAGEDOWN;
    Notify(code, 0);
}

void ScrollBarControl::OnMouseMove(UINT, CPoint point) {
    if (m_state.tracking != ScrollPart::Thumb)
        return;
    const bool vertical = Vertical();
    const int edge = (vertical ? point.y : point.x) - m_state.dragOffset;
    const int pos = m_state.PositionForThumbEdge(Bar(), vertical, edge);
    if (pos == m_state.nTrackPos)
        return;
    m_state.nTrackPos = pos;
    Invalidate(FALSE);
    Notify(SB_THUMBTRACK, pos);
}

void ScrollBarControl::Finish(bool notify) {
    if (m_state.tracking == ScrollPart::None)
        return;
    const bool thumb = m_state.tracking == ScrollPart::Thumb;
    const int pos = m_state.nTrackPos;
    m_state.tracking = ScrollPart::None;
    Invalidate(FALSE);
    if (notify) {
        if (thumb)
            Notify(SB_THUMBPOSITION, pos);
        Notify(SB_ENDSCROLL, 0);
    }
}

void ScrollBarControl::OnLButtonUp(UINT, CPoint) {
    Finish(true);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void ScrollBarControl::OnCaptureChanged(CWnd* pWnd) {
    if (pWnd != this)
        Finish(false);
}

void ScrollBarControl::OnEnable(BOOL) {
    Invalidate(FALSE);
}

LRESULT ScrollBarControl::OnSetScrollInfo(WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
    if (info == nullptr)
        return m_state.nPos;
    const int pos = m_state.Set(*info);
    if (wParam)
        Invalidate(FALSE);
    return pos;
}

LRESULT ScrollBarControl::OnGetScrollInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
    if (info == nullptr)
        return FALSE;
    m_state.Get(*info);
    return TRUE;
}

LRESULT ScrollBarControl::OnSetPos(WPARAM wParam, LPARAM lParam) {
    const int old = m_state.nPos;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = static_cast<int>(static_cast<std::intptr_t>(wParam));
    OnSetScrollInfo(static_cast<WPARAM>(lParam), reinterpret_cast<LPARAM>(&si));
    return old;
}

LRESULT ScrollBarControl::OnGetPos(WPARAM, LPARAM) {
    return m_state.nPos;
}

LRESULT ScrollBarControl::OnSetRange(WPARAM wParam, LPARAM lParam) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = static_cast<int>(static_cast<std::intptr_t>(wParam));
    si.nMax = static_cast<int>(lParam);
    OnSetScrollInfo(FALSE, reinterpret_cast<LPARAM>(&si));
    return m_state.nPos;
}

LRESULT ScrollBarControl::OnSetRangeRedraw(WPARAM wParam, LPARAM lParam) {
    const LRESULT pos = OnSetRange(wParam, lParam);
    Invalidate(FALSE);
    return pos;
}

LRESULT ScrollBarControl::OnGetRange(WPARAM wParam, LPARAM lParam) {
    if (auto* minPos = reinterpret_cast<int*>(wParam))
        *minPos = m_state.nMin;
    if (auto* maxPos = reinterpret_cast<int*>(lParam))
        *maxPos = m_state.nMax;
    return 0;
}

LRESULT ScrollBarControl::OnEnableArrows(WPARAM wParam, LPARAM) {
    m_state.disabled = wParam == ESB_DISABLE_BOTH;
    Invalidate(FALSE);
    return TRUE;
}

void RegisterScrollBarClass() {
    RegisterWindowClass(
        {u"SCROLLBAR", [] { return std::make_unique<ScrollBarControl>(); }, COLOR_BTNFACE});
}

}  // namespace platform
