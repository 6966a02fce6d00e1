#include "platform/ui/CScrollView.h"

#include <algorithm>

#include "platform/gdi/SystemMetrics.h"
#include "platform/ui/WindowMessageMap.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine) {
    m_nMapMode = nMapMode;
    m_totalDev = CSize(std::max(0, static_cast<int>(sizeTotal.cx)),
                       std::max(0, static_cast<int>(sizeTotal.cy)));
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_hWnd != nullptr) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage,
                                       SIZE& sizeLine) const {
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = PageSize();
    sizeLine = LineSize();
}

CSize CScrollView::PageSize() const {
    CRect client;
    GetClientRect(&client);
    return CSize(m_pageDev.cx > 0 ? static_cast<int>(m_pageDev.cx) : client.Width(),
                 m_pageDev.cy > 0 ? static_cast<int>(m_pageDev.cy) : client.Height());
}

CSize CScrollView::LineSize() const {
    const CSize page = PageSize();
    return CSize(m_lineDev.cx > 0 ? static_cast<int>(m_lineDev.cx) : std::max(1, page.cx / 10),
                 m_lineDev.cy > 0 ? static_cast<int>(m_lineDev.cy) : std::max(1, page.cy / 10));
}

CPoint CScrollView::GetScrollPosition() const {
    const DWORD style = GetStyle();
    return CPoint((style & WS_HSCROLL) ? GetScrollPos(SB_HORZ) : 0,
                  (style & WS_VSCROLL) ? GetScrollPos(SB_VERT) : 0);
}

void CScrollView::UpdateBars() {
    if (m_bInsideUpdate || m_hWnd == nullptr)
        return;
    m_bInsideUpdate = true;
    // The client area as it would be without bars.
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    CSize bare(client.Width() + ((style & WS_VSCROLL) ? barWidth : 0),
               client.Height() + ((style & WS_HSCROLL) ? barHeight : 0));
    // A bar takes room from the other direction, which may then need a bar too.
    bool needV = m_totalDev.cy > bare.cy;
    bool needH = m_totalDev.cx > bare.cx - (needV ? barWidth : 0);
    if (needH && !needV)
        needV = m_totalDev.cy > bare.cy - barHeight;
    const CSize visible(bare.cx - (needV ? barWidth : 0), bare.cy - (needH ? barHeight : 0));

    const CPoint old = GetScrollPosition();
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const bool vertical = bar == SB_VERT;
        const bool need = vertical ? needV : needH;
        const int total = vertical ? m_totalDev.cy : m_totalDev.cx;
        const int page = vertical ? visible.cy : visible.cx;
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = need ? total - 1 : 0;
        si.nPage = need ? static_cast<UINT>(std::max(page, 1)) : 0;
        si.nPos = need ? std::clamp(vertical ? old.y : old.x, 0, std::max(total - page, 0)) : 0;
        CWnd::SetScrollInfo(bar, &si, TRUE);
    }
    m_bInsideUpdate = false;
    if (GetScrollPosition() != old)
        Invalidate(TRUE);
}

void CScrollView::ScrollToPosition(POINT pt) {
    const CPoint old = GetScrollPosition();
    if (GetStyle() & WS_HSCROLL)
        SetScrollPos(SB_HORZ, pt.x);
    if (GetStyle() & WS_VSCROLL)
        SetScrollPos(SB_VERT, pt.y);
    if (GetScrollPosition() != old)
        Invalidate(TRUE);
}

void CScrollView::OnPrepareDC(CDC* pDC, void* pInfo) {
    if (pDC != nullptr) {
        const CPoint pos = GetScrollPosition();
        pDC->SetViewportOrg(-pos.x, -pos.y);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

BOOL CScrollView::OnScroll(int nBar, UINT nSBCode) {
    SCROLLINFO si;
    if (!CWnd::GetScrollInfo(nBar, &si, SIF_ALL))
        return FALSE;
    const bool vertical = nBar == SB_VERT;
    const int page = vertical ? PageSize().cy : PageSize().cx;
    const int line = vertical ? LineSize().cy : LineSize().cx;
    int pos = si.nPos;
    switch (nSBCode) {
        case SB_TOP:
            pos = si.nMin;
            break;
        case SB_BOTTOM:
            pos = si.nMax;
            break;
        case SB_LINEUP:
            pos -= line;
            break;
        case SB_LINEDOWN:
            pos += line;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            // The 32-bit position: the message carries only 16 bits of it.
            pos = si.nTrackPos;
            break;
        default:
            return FALSE;
    }
    const int before = si.nPos;
    SetScrollPos(nBar, pos, TRUE);
    if (GetScrollPos(nBar) == before)
        return FALSE;
    Invalidate(TRUE);
    return TRUE;
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar == nullptr)
        OnScroll(SB_VERT, nSBCode);
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar == nullptr)
        OnScroll(SB_HORZ, nSBCode);
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    if (!(GetStyle() & WS_VSCROLL))
        return CView::OnMouseWheel(nFlags, zDelta, pt);
    // Partial notches add up, so a fine wheel scrolls as far as a coarse one.
    m_wheelRemainder += zDelta;
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches == 0)
        return TRUE;
    const int before = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, before - notches * 3 * LineSize().cy, TRUE);
    if (GetScrollPos(SB_VERT) != before)
        Invalidate(TRUE);
    return TRUE;
}
