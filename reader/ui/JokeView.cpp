#include "reader/ui/JokeView.h"

#include "reader/store/KippAppStore.h"

IMPLEMENT_DYNCREATE(CJokeView, CScrollView)

CJokeView::CJokeView() {
    CreateTextFont();
}

CJokeView::~CJokeView() = default;

int CJokeView::TextRight() {
    const int m = GetSystemMetrics(SM_CXHSCROLL);
    return kSurfaceWidth - (m + m / 2);
}

void CJokeView::CreateTextFont() {
    m_font.DeleteObject();
    CKippAppStore& app = KippApp();
    const CString face = app.GetFaceName();
    m_font.CreatePointFont(app.GetFontSize() * 10, face);
}

void CJokeView::SetText(const CString& text) {
    m_strText = text;
    CDC* pDC = GetDC();
    // The context first: a bitmap still selected into a context is not the bitmap's to free.
    m_dcMem.DeleteDC();
    m_bmpMem.DeleteObject();
    CreateTextFont();
    m_dcMem.CreateCompatibleDC(pDC);
    // Compatible with the memory context, which holds its initial monochrome bitmap: one bit
    // per pixel, whatever the screen has.
    m_bmpMem.CreateCompatibleBitmap(&m_dcMem, kSurfaceWidth, kSurfaceHeight);
    ReleaseDC(pDC);

    m_dcMem.SelectObject(&m_bmpMem);
    m_dcMem.SetBkMode(TRANSPARENT);
    const CRect surface(0, 0, kSurfaceWidth, kSurfaceHeight);
    m_dcMem.FillRect(&surface, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW)));

    const CRect textRect(kTextLeft, 0, TextRight(), kSurfaceHeight);
    CFont* oldFont = m_dcMem.SelectObject(&m_font);
    // A joke is shown as written: an ampersand is a character, not a mnemonic prefix.
    CRect measured = textRect;
    m_dcMem.DrawText(text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    // Measuring widens the rectangle to a word longer than a line; drawing keeps the text
    // rectangle's width, so that the other lines wrap where they were measured and none runs
    // past the surface's edge.
    m_rectText = CRect(textRect.left, textRect.top, textRect.right, measured.bottom);
    m_dcMem.DrawText(text, -1, &m_rectText, DT_WORDBREAK | DT_NOPREFIX);
    m_dcMem.SelectObject(oldFont);

    m_sizeText = CSize(TextRight(), measured.bottom);
    SetScrollSizes(MM_TEXT, m_sizeText);
}

void CJokeView::OnInitialUpdate() {
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, m_sizeText);
}

void CJokeView::OnDraw(CDC* pDC) {
    // The scrolling view moved the context's origin by the scroll position; the copy takes the
    // position from its source instead, so the view draws in its client coordinates.
    pDC->SetViewportOrg(0, 0);
    CRect client;
    GetClientRect(&client);
    pDC->FillRect(&client, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW)));
    if (m_dcMem.GetSafeHdc() == nullptr)
        return;
    const int y = GetScrollPosition().y;
    pDC->BitBlt(0, 0, kSurfaceWidth, client.Height(), &m_dcMem, 0, y, SRCCOPY);
}
