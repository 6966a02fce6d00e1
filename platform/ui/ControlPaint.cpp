#include "platform/ui/ControlPaint.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/WindowApi.h"

namespace platform {

CFont* ControlFont(HWND hwnd) {
    const auto handle = reinterpret_cast<HFONT>(::SendMessage(hwnd, WM_GETFONT, 0, 0));
    return handle != nullptr ? CFont::FromHandle(handle) : nullptr;
}

CFont* SelectControlFont(CDC& dc, HWND hwnd) {
    CFont* font = ControlFont(hwnd);
    return font != nullptr ? dc.SelectObject(font) : nullptr;
}

CBrush* ControlColors(HWND hwnd, CDC& dc, UINT message) {
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    HBRUSH brush = nullptr;
    if (const HWND parent = ::GetParent(hwnd)) {
        brush = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(::SendMessage(
            parent, message, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), HandleToLParam(hwnd))));
    }
    CBrush* result = brush != nullptr ? CBrush::FromHandle(brush) : nullptr;
    if (result == nullptr)
        result = CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW));
    return result;
}

void DrawButtonEdge(CDC& dc, const CRect& r, bool pressed) {
    if (r.IsRectEmpty())
        return;
    if (pressed) {
        dc.Draw3dRect(&r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW));
        CRect inner = r;
        inner.DeflateRect(1, 1);
        if (!inner.IsRectEmpty())
            dc.Draw3dRect(&inner, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE));
        return;
    }
    dc.Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    CRect inner = r;
    inner.DeflateRect(1, 1);
    if (!inner.IsRectEmpty())
        dc.Draw3dRect(&inner, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
}

void DrawArrowHead(CDC& dc, const CRect& box, ArrowDirection direction, int size, COLORREF color) {
    size = std::max(1, size);
    const CPoint c = box.CenterPoint();
    for (int i = 0; i < size; ++i) {
        // Row i from the point outwards, 2i + 1 pixels wide.
        const int along = i - size / 2;
        CRect line;
        switch (direction) {
            case ArrowDirection::Up:
                line = CRect(c.x - i, c.y + along, c.x + i + 1, c.y + along + 1);
                break;
            case ArrowDirection::Down:
                line = CRect(c.x - i, c.y - along, c.x + i + 1, c.y - along + 1);
                break;
            case ArrowDirection::Left:
                line = CRect(c.x + along, c.y - i, c.x + along + 1, c.y + i + 1);
                break;
            case ArrowDirection::Right:
                line = CRect(c.x - along, c.y - i, c.x - along + 1, c.y + i + 1);
                break;
        }
        dc.FillSolidRect(&line, color);
    }
}

MeasureDC::MeasureDC(HWND hwnd) {
    m_dc.CreateCompatibleDC(nullptr);
    SelectControlFont(m_dc, hwnd);
}

void NotifyParent(HWND hwnd, UINT code) {
    const HWND parent = ::GetParent(hwnd);
    if (parent == nullptr)
        return;
    ::SendMessage(parent, WM_COMMAND,
                  MAKEWPARAM(static_cast<WORD>(::GetDlgCtrlID(hwnd)), static_cast<WORD>(code)),
                  HandleToLParam(hwnd));
}

}  // namespace platform
