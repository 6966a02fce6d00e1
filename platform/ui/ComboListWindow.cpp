#include "platform/ui/ComboListWindow.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/ScrollBarPainter.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

namespace platform {

namespace {

constexpr char16_t kListClass[] = u"ComboLBox";
constexpr int kTextIndent = 3;

}  // namespace

BEGIN_MESSAGE_MAP(ComboListWindow, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

void ComboListWindow::Open(const CRect& rect, int rows, bool stylusDown) {
    const int count = static_cast<int>(m_combo.Items().size());
    m_rows = std::max(1, rows);
    m_bar = ScrollBarState();
    m_bar.nMin = 0;
    m_bar.nMax = std::max(0, count - 1);
    m_bar.nPage = static_cast<UINT>(m_rows);
    m_bar.nPos = 0;
    ShowEntry(m_combo.Highlight());
    // Above everything, the keyboard included, while it is open.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    m_open = true;
    m_stylusDown = stylusDown;
    m_fromOpening = stylusDown;
    m_choosing = false;
    SetCapture();
    Invalidate(TRUE);
}

void ComboListWindow::Close() {
    if (!m_open)
        return;
    m_open = false;
    m_stylusDown = m_choosing = m_fromOpening = false;
    m_bar.tracking = ScrollPart::None;
    m_closing = true;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_closing = false;
    ShowWindow(SW_HIDE);
}

bool ComboListWindow::HasScrollBar() const {
    return m_bar.CanScroll();
}

CRect ComboListWindow::ItemsRect() const {
    CRect r;
    GetClientRect(&r);
    r.DeflateRect(1, 1);
    if (HasScrollBar())
        r.right -= kScrollBarSize;
    return r;
}

CRect ComboListWindow::BarRect() const {
    CRect r;
    GetClientRect(&r);
    r.DeflateRect(1, 1);
    r.left = r.right - kScrollBarSize;
    return r;
}

int ComboListWindow::EntryAt(CPoint point) const {
    const CRect items = ItemsRect();
    if (!items.PtInRect(point))
        return -1;
    const int index = m_bar.nPos + (point.y - items.top) / std::max(1, m_combo.ItemHeight());
    return index < static_cast<int>(m_combo.Items().size()) ? index : -1;
}

void ComboListWindow::ScrollTo(int top) {
    const int clamped = m_bar.Clamp(top);
    if (clamped == m_bar.nPos)
        return;
    m_bar.nPos = clamped;
    Invalidate(FALSE);
}

void ComboListWindow::ShowEntry(int index) {
    if (index < 0)
        return;
    int top = m_bar.nPos;
    if (index < top)
        top = index;
    else if (index >= top + m_rows)
        top = index - m_rows + 1;
    ScrollTo(top);
    Invalidate(FALSE);
}

void ComboListWindow::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&client, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    const CRect items = ItemsRect();
    const int height = m_combo.ItemHeight();
    const auto& entries = m_combo.Items();
    CFont* old = SelectControlFont(dc, m_combo.m_hWnd);
    dc.SetBkMode(TRANSPARENT);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(&items);
    for (int row = 0; row < m_rows; ++row) {
        const int index = m_bar.nPos + row;
        if (index >= static_cast<int>(entries.size()))
            break;
        CRect r(items.left, items.top + row * height, items.right, items.top + (row + 1) * height);
        const bool marked = index == m_combo.Highlight();
        if (marked)
            dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(marked ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        CRect text = r;
        text.left += kTextIndent;
        const auto& entry = entries[static_cast<std::size_t>(index)].text;
        dc.DrawText(entry.c_str(), static_cast<int>(entry.size()), &text,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc.RestoreDC(saved);
    if (old != nullptr)
        dc.SelectObject(old);
    if (HasScrollBar())
        PaintScrollBar(dc, BarRect(), m_bar, true);
}

void ComboListWindow::OnLButtonDown(UINT, CPoint point) {
    m_stylusDown = true;
    m_fromOpening = false;
    m_choosing = false;
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        // A tap elsewhere closes the list and does nothing more.
        m_combo.CloseList(false);
        return;
    }
    if (HasScrollBar() && BarRect().PtInRect(point)) {
        const CRect bar = BarRect();
        switch (m_bar.HitTest(bar, true, point)) {
            case ScrollPart::LineUp:
                ScrollTo(m_bar.nPos - 1);
                break;
            case ScrollPart::LineDown:
                ScrollTo(m_bar.nPos + 1);
                break;
            case ScrollPart::PageUp:
                ScrollTo(m_bar.nPos - m_rows);
                break;
            case ScrollPart::PageDown:
                ScrollTo(m_bar.nPos + m_rows);
                break;
            case ScrollPart::Thumb:
                m_bar.tracking = ScrollPart::Thumb;
                m_bar.dragOffset = point.y - m_bar.Layout(bar, true).thumb.top;
                Invalidate(FALSE);
                break;
            case ScrollPart::None:
                break;
        }
        return;
    }
    const int entry = EntryAt(point);
    if (entry >= 0) {
        m_choosing = true;
        m_combo.SetHighlight(entry);
    }
}

void ComboListWindow::OnMouseMove(UINT, CPoint point) {
    if (!m_stylusDown)
        return;
    if (m_bar.tracking == ScrollPart::Thumb) {
        ScrollTo(m_bar.PositionForThumbEdge(BarRect(), true, point.y - m_bar.dragOffset));
        return;
    }
    const int entry = EntryAt(point);
    if (entry >= 0) {
        // Dragging from the field into the list and lifting there chooses, as on the platform.
        m_choosing = true;
        if (entry != m_combo.Highlight())
            m_combo.SetHighlight(entry);
    }
}

void ComboListWindow::OnLButtonUp(UINT, CPoint point) {
    if (!m_stylusDown)
        return;
    m_stylusDown = false;
    if (m_bar.tracking != ScrollPart::None) {
        m_bar.tracking = ScrollPart::None;
        Invalidate(FALSE);
        return;
    }
    const bool choosing = m_choosing;
    m_choosing = false;
    m_fromOpening = false;
    const int entry = EntryAt(point);
    if (choosing && entry >= 0) {
        m_combo.SetHighlight(entry);
        m_combo.CloseList(true);
    }
    // Lifted elsewhere (the tap that opened the list, or one on the frame or the scroll bar):
    // the list stays open.
}

void ComboListWindow::OnCaptureChanged(CWnd* pWnd) {
    // Something else took the stylus (a message box, another window): the list gives up.
    if (m_open && !m_closing && pWnd != this)
        m_combo.CloseList(false);
}

void RegisterComboListClass() {
    RegisterWindowClass({kListClass, nullptr, COLOR_WINDOW});
}

}  // namespace platform
