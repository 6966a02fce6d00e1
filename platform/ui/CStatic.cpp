#include "platform/ui/CStatic.h"

#include <charconv>
#include <string>

#include "platform/base/Resources.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create(u"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
    return reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP,
                    static_cast<LPARAM>(reinterpret_cast<std::uintptr_t>(hBitmap)))));
}

HBITMAP CStatic::GetBitmap() const {
    return reinterpret_cast<HBITMAP>(
        static_cast<std::uintptr_t>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

namespace platform {

BEGIN_MESSAGE_MAP(StaticControl, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_ENABLE()
ON_WM_GETDLGCODE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(STM_SETIMAGE, OnSetImage)
ON_MESSAGE(STM_GETIMAGE, OnGetImage)
END_MESSAGE_MAP()

namespace {

// The resource a picture's text names: "#131" is the number 131, anything else a name.
ResourceId PictureName(const CString& text) {
    const std::u16string_view view(text.GetString(), static_cast<std::size_t>(text.GetLength()));
    if (view.size() > 1 && view.front() == u'#') {
        unsigned number = 0;
        std::string digits;
        for (char16_t c : view.substr(1)) {
            if (c < u'0' || c > u'9')
                return ResourceId(view);
            digits.push_back(static_cast<char>(c));
        }
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (ec == std::errc() && end == digits.data() + digits.size() && number <= 0xFFFF)
            return ResourceId(number);
    }
    return ResourceId(view);
}

}  // namespace

int StaticControl::OnCreate(LPCREATESTRUCT) {
    // A sunken static is drawn with the static edge, as the platform gives it.
    if (GetStyle() & SS_SUNKEN)
        ModifyStyleEx(0, WS_EX_STATICEDGE);
    if (Type() == SS_BITMAP)
        LoadPictureFromText();
    return 0;
}

void StaticControl::LoadPictureFromText() {
    CString text;
    GetWindowText(text);
    if (text.IsEmpty())
        return;
    const std::optional<std::span<const BYTE>> bytes = AfxLoadBitmapResource(PictureName(text));
    if (!bytes)
        return;
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->LoadBitmapFromBmp(*bytes))
        return;
    m_ownBitmap = std::move(bitmap);
    ShowPicture(m_ownBitmap->GetSafeHandle());
}

void StaticControl::ShowPicture(HBITMAP hBitmap) {
    m_bitmap = hBitmap;
    const CBitmap* bitmap = CBitmap::FromHandle(hBitmap);
    if (bitmap != nullptr && !(GetStyle() & SS_CENTERIMAGE)) {
        // The control fits itself around the picture, keeping its frame.
        CRect window, client;
        GetWindowRect(&window);
        GetClientRect(&client);
        const CSize size = bitmap->GetSize();
        SetWindowPos(nullptr, 0, 0, size.cx + window.Width() - client.Width(),
                     size.cy + window.Height() - client.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Invalidate(TRUE);
}

LRESULT StaticControl::OnSetText(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (Type() == SS_BITMAP) {
        m_ownBitmap.reset();
        m_bitmap = nullptr;
        LoadPictureFromText();
    }
    Invalidate(TRUE);
    return result;
}

LRESULT StaticControl::OnSetImage(WPARAM wParam, LPARAM lParam) {
    if (wParam != IMAGE_BITMAP)
        return 0;
    const HBITMAP old = m_bitmap;
    const auto hBitmap = reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(lParam));
    // A bitmap the caller hands over replaces one loaded from a resource; the handle returned
    // for that one would name nothing once it is freed, so none is returned for it.
    const bool wasOwn = m_ownBitmap != nullptr && old == m_ownBitmap->GetSafeHandle();
    ShowPicture(hBitmap);
    if (wasOwn) {
        m_ownBitmap.reset();
        return 0;
    }
    return static_cast<LRESULT>(reinterpret_cast<std::uintptr_t>(old));
}

LRESULT StaticControl::OnGetImage(WPARAM wParam, LPARAM) {
    if (wParam != IMAGE_BITMAP)
        return 0;
    return static_cast<LRESULT>(reinterpret_cast<std::uintptr_t>(m_bitmap));
}

void StaticControl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBrush* background = ControlColors(m_hWnd, dc, WM_CTLCOLORSTATIC);
    const DWORD type = Type();
    switch (type) {
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT: {
            const int color = type == SS_BLACKRECT  ? COLOR_WINDOWFRAME
                              : type == SS_GRAYRECT ? COLOR_BTNSHADOW
                                                    : COLOR_WINDOW;
            dc.FillSolidRect(&client, GetSysColor(color));
            return;
        }
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME: {
            dc.FillRect(&client, background);
            const COLORREF color = GetSysColor(type == SS_BLACKFRAME  ? COLOR_WINDOWFRAME
                                               : type == SS_GRAYFRAME ? COLOR_BTNSHADOW
                                                                      : COLOR_WINDOW);
            dc.Draw3dRect(&client, color, color);
            return;
        }
        default:
            break;
    }
    dc.FillRect(&client, background);
    if (type == SS_BITMAP)
        PaintPicture(dc);
    else
        PaintText(dc, client);
}

void StaticControl::PaintText(CDC& dc, const CRect& client) {
    CString text;
    GetWindowText(text);
    if (text.IsEmpty())
        return;
    const DWORD style = GetStyle();
    UINT format = DT_EXPANDTABS;
    switch (Type()) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            format |= DT_SINGLELINE;
            break;
        case SS_LEFTNOWORDWRAP:
            break;
        default:
            format |= DT_LEFT | DT_WORDBREAK;
            break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    CFont* old = SelectControlFont(dc, m_hWnd);
    dc.SetBkMode(TRANSPARENT);
    CRect r = client;
    if (!IsWindowEnabled()) {
        // The platform's engraved look for disabled text.
        dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect shadow = r + CPoint(1, 1);
        dc.DrawText(text, &shadow, format);
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    }
    dc.DrawText(text, &r, format);
    if (old != nullptr)
        dc.SelectObject(old);
}

void StaticControl::PaintPicture(CDC& dc) {
    CBitmap* bitmap = CBitmap::FromHandle(m_bitmap);
    if (bitmap == nullptr)
        return;
    const CSize size = bitmap->GetSize();
    CPoint at(0, 0);
    if (GetStyle() & SS_CENTERIMAGE) {
        CRect client;
        GetClientRect(&client);
        at = CPoint((client.Width() - size.cx) / 2, (client.Height() - size.cy) / 2);
    }
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(bitmap);
    dc.BitBlt(at.x, at.y, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
    if (old != nullptr)
        memory.SelectObject(old);
}

void StaticControl::OnLButtonDown(UINT, CPoint) {
    if (GetStyle() & SS_NOTIFY)
        NotifyParent(m_hWnd, STN_CLICKED);
}

void StaticControl::OnEnable(BOOL) {
    Invalidate(TRUE);
}

UINT StaticControl::OnGetDlgCode() {
    return DLGC_STATIC;
}

void RegisterStaticClass() {
    RegisterWindowClass({u"STATIC", [] { return std::make_unique<StaticControl>(); }, -1});
}

}  // namespace platform
