#include "platform/ui/Screen.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/gdi/CPen.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

namespace {

// More dirty rectangles than this are merged into their bounding box.
constexpr std::size_t kMaxDirty = 32;

const CFont& TopBarFont() {
    static CFont& font = []() -> CFont& {
        auto* f = new CFont;
        LOGFONT lf{};
        lf.lfHeight = -11;  // 8 points at 96 dots per inch
        lf.lfWeight = FW_BOLD;
        std::u16string_view face = u"Tahoma";
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        f->CreateFontIndirect(&lf);
        return *f;
    }();
    return font;
}

}  // namespace

Screen& Screen::Instance() {
    // Never destroyed, like the window system it serves.
    static Screen& screen = *new Screen;
    return screen;
}

Screen::Screen() : m_surface(kScreenWidth, kScreenHeight, 32) {
    m_dirty.push_back(ScreenBounds());
}

void Screen::AttachDisplay(IDisplay* display) {
    m_display = display;
    Invalidate(ScreenBounds());
    m_changed = true;
}

void Screen::Invalidate(const CRect& rect) {
    CRect r;
    const CRect bounds = ScreenBounds();
    if (!r.IntersectRect(&rect, &bounds))
        return;
    for (const CRect& d : m_dirty) {
        CRect u;
        u.UnionRect(&d, &r);
        if (u == d)
            return;  // already covered
    }
    std::erase_if(m_dirty, [&](const CRect& d) {
        CRect u;
        u.UnionRect(&d, &r);
        return u == r;
    });
    m_dirty.push_back(r);
    if (m_dirty.size() > kMaxDirty) {
        CRect all;
        for (const CRect& d : m_dirty)
            all.UnionRect(&all, &d);
        m_dirty.assign(1, all);
    }
}

CRect Screen::DirtyWithin(const CRect& rect) const {
    CRect result;
    for (const CRect& d : m_dirty) {
        CRect part;
        if (part.IntersectRect(&d, &rect))
            result.UnionRect(&result, &part);
    }
    return result;
}

void Screen::Validate(const CRect& rect) {
    std::erase_if(m_dirty, [&](const CRect& d) {
        CRect u;
        u.UnionRect(&d, &rect);
        return u == rect;
    });
}

void Screen::Compose() {
    if (m_composing)
        return;
    m_composing = true;
    // A handler that invalidates while it paints gets another round, but not forever.
    for (int round = 0; round < 4 && !m_dirty.empty(); ++round) {
        const std::vector<CRect> areas = std::move(m_dirty);
        m_dirty.clear();
        for (const CRect& area : areas)
            PaintArea(area);
        m_changed = true;
    }
    m_composing = false;
    CollectGarbage();
}

void Screen::PaintArea(const CRect& area) {
    {
        CDC dc;
        dc.AttachSurface(&m_surface, CPoint(0, 0), area);
        dc.FillSolidRect(&area, GetSysColor(COLOR_WINDOW));
    }
    // Bottom window first, so that each one paints over those below it.
    const std::vector<HWND> tops = Sys().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        PaintTree(*it, area);
    CRect bar;
    const CRect topBar = TopBarRect();
    if (bar.IntersectRect(&area, &topBar))
        PaintTopBar(bar);
}

void Screen::PaintTree(HWND hwnd, const CRect& clip) {
    WindowRecord* rec = FindRecord(hwnd);
    if (rec == nullptr || !(rec->style & WS_VISIBLE))
        return;
    CRect area;
    const CRect window = WindowRectOnScreen(*rec);
    if (!area.IntersectRect(&clip, &window))
        return;
    const HWND outerWindow = m_painting;
    const CRect outerClip = m_paintClip;
    const CRect insets = NonClientInsets(*rec);
    if (!insets.IsRectNull()) {
        m_painting = hwnd;
        m_paintClip = area;
        ::SendMessage(hwnd, WM_NCPAINT, 1, 0);
    }
    CRect clientArea;
    if ((rec = FindRecord(hwnd)) != nullptr) {
        const CRect client = ClientRectOnScreen(*rec);
        if (clientArea.IntersectRect(&area, &client)) {
            m_painting = hwnd;
            m_paintClip = clientArea;
            ::SendMessage(hwnd, WM_PAINT, 0, 0);
            if ((rec = FindRecord(hwnd)) != nullptr) {
                const std::vector<HWND> children = rec->children;
                for (auto it = children.rbegin(); it != children.rend(); ++it)
                    PaintTree(*it, clientArea);
            }
        }
    }
    m_painting = outerWindow;
    m_paintClip = outerClip;
}

CRect Screen::TopBarOkRect() const {
    const WindowRecord* rec = FindRecord(Sys().active);
    if (rec == nullptr || !(rec->modal || (rec->exStyle & WS_EX_CAPTIONOKBTN)))
        return CRect();
    return CRect(kScreenWidth - 32, 4, kScreenWidth - 4, kTopBarHeight - 4);
}

CRect Screen::TopBarCloseRect() const {
    const WindowRecord* rec = FindRecord(Sys().active);
    if (rec == nullptr || !rec->modal)
        return CRect();
    const CRect ok = TopBarOkRect();
    const int right = ok.IsRectEmpty() ? kScreenWidth - 4 : ok.left - 4;
    return CRect(right - 18, 4, right, kTopBarHeight - 4);
}

void Screen::PaintTopBar(const CRect& area) {
    CDC dc;
    dc.AttachSurface(&m_surface, CPoint(0, 0), area);
    const CRect bar = TopBarRect();
    const COLORREF back = GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF fore = GetSysColor(COLOR_CAPTIONTEXT);
    dc.FillSolidRect(&bar, back);
    const CRect ok = TopBarOkRect();
    const CRect close = TopBarCloseRect();

    if (const WindowRecord* rec = FindRecord(Sys().active)) {
        CRect text(6, 0, kScreenWidth - 6, kTopBarHeight);
        if (!close.IsRectEmpty())
            text.right = close.left - 4;
        else if (!ok.IsRectEmpty())
            text.right = ok.left - 4;
        CFont* old = dc.SelectObject(const_cast<CFont*>(&TopBarFont()));
        dc.SetTextColor(fore);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(rec->text, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (!ok.IsRectEmpty()) {
            const bool pressed = m_topBarPressed == 1;
            dc.FillSolidRect(&ok, pressed ? fore : back);
            dc.Draw3dRect(&ok, fore, fore);
            dc.SetTextColor(pressed ? back : fore);
            CRect label = ok;
            dc.DrawText(CString(u"ok"), -1, &label,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        if (old != nullptr)
            dc.SelectObject(old);
    }
    if (!close.IsRectEmpty()) {
        const bool pressed = m_topBarPressed == 2;
        dc.FillSolidRect(&close, pressed ? fore : back);
        dc.Draw3dRect(&close, fore, fore);
        CPen pen(PS_SOLID, 1, pressed ? back : fore);
        CPen* oldPen = dc.SelectObject(&pen);
        const int inset = 5;
        for (int d = 0; d < 2; ++d) {  // two pixels thick
            dc.MoveTo(close.left + inset + d, close.top + inset);
            dc.LineTo(close.right - inset + d, close.bottom - inset);
            dc.MoveTo(close.right - inset - 1 + d, close.top + inset);
            dc.LineTo(close.left + inset - 1 + d, close.bottom - inset);
        }
        if (oldPen != nullptr)
            dc.SelectObject(oldPen);
    }
}

std::vector<std::uint32_t> Screen::FrameWithOverlays() const {
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
        const std::uint32_t* row = m_surface.Row32(y);
        std::copy(row, row + kScreenWidth,
                  frame.begin() + static_cast<std::ptrdiff_t>(y) * kScreenWidth);
    }
    if (m_waitCursor) {
        // An hourglass, 15 x 21, black outline on white, sand in the lower bulb.
        constexpr int w = 15, h = 21;
        const int left = (kScreenWidth - w) / 2, top = (kScreenHeight - h) / 2;
        auto put = [&](int x, int y, std::uint32_t c) {
            frame[static_cast<std::size_t>(top + y) * kScreenWidth +
                  static_cast<std::size_t>(left + x)] = c;
        };
        for (int y = 0; y < h; ++y) {
            const bool cap = y < 2 || y >= h - 2;
            // Half the width of the glass at row y: full at the ends, one at the waist.
            const int d = std::abs(y - h / 2);
            const int half = cap ? w / 2 : std::max(1, d * (w / 2 - 1) / (h / 2 - 2) + 1);
            for (int x = 0; x < w; ++x) {
                const int off = std::abs(x - w / 2);
                if (cap) {
                    put(x, y, 0x000000);
                } else if (off == half) {
                    put(x, y, 0x000000);
                } else if (off < half) {
                    const bool sand = (y > h / 2 + 3) || (y < h / 2 && y > h / 2 - 3 && off < 2);
                    put(x, y, sand ? 0x000000 : 0xFFFFFF);
                }
            }
        }
    }
    return frame;
}

void Screen::Present() {
    Compose();
    if (!m_changed || m_display == nullptr)
        return;
    PresentNow();
}

void Screen::PresentNow() {
    Compose();
    if (m_display == nullptr)
        return;
    if (m_waitCursor) {
        const std::vector<std::uint32_t> frame = FrameWithOverlays();
        m_display->Present(frame.data(), kScreenWidth, kScreenHeight, kScreenWidth);
    } else {
        m_display->Present(m_surface.Row32(0), kScreenWidth, kScreenHeight, m_surface.Stride() / 4);
    }
    m_changed = false;
    ++m_presentCount;
}

void Screen::SetWaitCursor(bool shown) {
    if (m_waitCursor == shown)
        return;
    m_waitCursor = shown;
    m_changed = true;
    // The wait begins before the work that keeps the program busy, so it must be seen now.
    if (shown)
        PresentNow();
}

bool Screen::PumpInput(int timeoutMs, bool* ended) {
    *ended = false;
    if (m_display == nullptr) {
        *ended = true;
        return false;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::optional<InputEvent> event = m_display->WaitEvent(timeoutMs);
    if (!event) {
        if (timeoutMs < 0) {
            *ended = true;
        } else if (timeoutMs > 0) {
            // A display that answers at once keeps the caller from spinning until its timer.
            std::this_thread::sleep_until(start + std::chrono::milliseconds(timeoutMs));
        }
        return false;
    }
    switch (event->kind) {
        case InputKind::StylusDown:
        case InputKind::StylusMove:
        case InputKind::StylusUp:
            RouteStylus(*event);
            break;
        case InputKind::KeyDown:
        case InputKind::KeyUp:
        case InputKind::Char:
            RouteKey(*event);
            break;
        case InputKind::Wheel:
            RouteWheel(*event);
            break;
        case InputKind::Quit:
            Sys().closeRequested = true;
            break;
    }
    return true;
}

void Screen::QueueInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        const InputEvent& e) {
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = Now();
    m.pt = m_lastStylus;
    Sys().queue.push_back({m, e.modifiers});
}

void Screen::RouteStylus(const InputEvent& e) {
    WindowSystem& sys = Sys();
    const CPoint pt(e.x, e.y);
    m_lastStylus = pt;

    // The top bar's buttons, pressed and released like push buttons.
    if (e.kind == InputKind::StylusDown && sys.capture == nullptr && TopBarRect().PtInRect(pt)) {
        m_topBarPressed = TopBarOkRect().PtInRect(pt) ? 1 : TopBarCloseRect().PtInRect(pt) ? 2 : 0;
        Invalidate(TopBarRect());
        return;
    }
    if (m_topBarPressed != 0 ||
        (sys.capture == nullptr && TopBarRect().PtInRect(pt) && e.kind != InputKind::StylusDown)) {
        if (e.kind == InputKind::StylusUp && m_topBarPressed != 0) {
            const int released = TopBarOkRect().PtInRect(pt)      ? 1
                                 : TopBarCloseRect().PtInRect(pt) ? 2
                                                                  : 0;
            if (released == m_topBarPressed && sys.active != nullptr)
                ::PostMessage(sys.active, WM_COMMAND, released == 1 ? IDOK : IDCANCEL, 0);
            m_topBarPressed = 0;
            Invalidate(TopBarRect());
        }
        return;
    }

    HWND target = sys.capture;
    bool nonClient = sys.captureNonClient;
    if (target == nullptr) {
        target = ::WindowFromPoint(pt);
        if (target == nullptr)
            return;
        nonClient = ::SendMessage(target, WM_NCHITTEST, 0, PointToLParam(pt)) != HTCLIENT;
    }
    if (e.kind == InputKind::StylusDown && sys.capture == nullptr && !nonClient) {
        ::SetCapture(target);
        sys.implicitCapture = true;
    }
    const WPARAM keys = (e.kind != InputKind::StylusUp ? MK_LBUTTON : 0) |
                        (e.modifiers.ctrl ? MK_CONTROL : 0) | (e.modifiers.shift ? MK_SHIFT : 0);
    if (nonClient) {
        const UINT message = e.kind == InputKind::StylusDown   ? WM_NCLBUTTONDOWN
                             : e.kind == InputKind::StylusMove ? WM_NCMOUSEMOVE
                                                               : WM_NCLBUTTONUP;
        const LRESULT hit = ::SendMessage(target, WM_NCHITTEST, 0, PointToLParam(pt));
        QueueInput(target, message, static_cast<WPARAM>(hit), PointToLParam(pt), e);
        return;
    }
    CPoint client = pt;
    ::ScreenToClient(target, &client);
    const UINT message = e.kind == InputKind::StylusDown   ? WM_LBUTTONDOWN
                         : e.kind == InputKind::StylusMove ? WM_MOUSEMOVE
                                                           : WM_LBUTTONUP;
    QueueInput(target, message, keys, PointToLParam(client), e);
}

void Screen::RouteKey(const InputEvent& e) {
    WindowSystem& sys = Sys();
    const HWND target = sys.focus != nullptr ? sys.focus : sys.active;
    if (target == nullptr)
        return;
    switch (e.kind) {
        case InputKind::KeyDown: {
            const LPARAM flags = 1 | (e.repeat ? (LPARAM{1} << 30) : 0);
            QueueInput(target, WM_KEYDOWN, e.vk, flags, e);
            break;
        }
        case InputKind::KeyUp:
            QueueInput(target, WM_KEYUP, e.vk, 1 | (LPARAM{3} << 30), e);
            break;
        default:
            QueueInput(target, (e.modifiers.alt && !e.modifiers.ctrl) ? WM_SYSCHAR : WM_CHAR, e.ch,
                       1, e);
            break;
    }
}

void Screen::RouteWheel(const InputEvent& e) {
    WindowSystem& sys = Sys();
    const CPoint pt(e.x, e.y);
    HWND target = ::WindowFromPoint(pt);
    if (target == nullptr)
        target = sys.focus != nullptr ? sys.focus : sys.active;
    if (target == nullptr)
        return;
    const WORD keys =
        static_cast<WORD>((e.modifiers.ctrl ? MK_CONTROL : 0) | (e.modifiers.shift ? MK_SHIFT : 0));
    QueueInput(target, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(e.wheelDelta)),
               PointToLParam(pt), e);
}

}  // namespace platform
