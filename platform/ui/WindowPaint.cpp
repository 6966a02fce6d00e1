// Invalidation, repainting and device contexts on windows.

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "platform/ui/Screen.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowSystem.h"

using platform::FindRecord;
using platform::WindowRecord;

namespace platform {

namespace {

struct DcTables {
    std::unordered_map<HDC, CDC*> known;
    std::unordered_map<HDC, std::unique_ptr<CDC>> pool;
};

DcTables& Dcs() {
    static DcTables& tables = *new DcTables;
    return tables;
}

// Keeps a context that was attached already (a context without a target has no handle).
HDC PoolDC(std::unique_ptr<CDC> dc) {
    const HDC hdc = dc->GetSafeHdc();
    if (hdc == nullptr)
        return nullptr;
    RegisterDC(dc.get());
    Dcs().pool[hdc] = std::move(dc);
    return hdc;
}

}  // namespace

void InvalidateScreenRect(const CRect& rect) {
    Screen::Instance().Invalidate(rect);
}

CDC* DcFromHandle(HDC hdc) {
    const auto it = Dcs().known.find(hdc);
    return it == Dcs().known.end() ? nullptr : it->second;
}

void RegisterDC(CDC* dc) {
    if (dc != nullptr && dc->GetSafeHdc() != nullptr)
        Dcs().known[dc->GetSafeHdc()] = dc;
}

void UnregisterDC(CDC* dc) {
    if (dc == nullptr)
        return;
    auto& known = Dcs().known;
    for (auto it = known.begin(); it != known.end();) {
        if (it->second == dc)
            it = known.erase(it);
        else
            ++it;
    }
}

BOOL AttachWindowDC(CDC& dc, HWND hwnd, bool whole, const CRect* clip) {
    Screen& screen = Screen::Instance();
    auto* surface = const_cast<Surface*>(&screen.Pixels());
    const WindowRecord* rec = FindRecord(hwnd);
    if (rec == nullptr) {
        dc.AttachSurface(surface, CPoint(0, 0), CRect());
        return FALSE;
    }
    const CRect area = whole ? WindowRectOnScreen(*rec) : ClientRectOnScreen(*rec);
    CRect visible = VisibleRectOnScreen(*rec);
    visible &= area;
    if (clip != nullptr)
        visible &= *clip;
    dc.AttachSurface(surface, area.TopLeft(), visible);
    screen.MarkChanged();
    return TRUE;
}

void BeginPaintInto(HWND hwnd, CDC& dc, PAINTSTRUCT& ps) {
    Screen& screen = Screen::Instance();
    CRect clip;
    if (screen.PaintingWindow() == hwnd)
        clip = screen.PaintClip();
    AttachWindowDC(dc, hwnd, false, &clip);
    RegisterDC(&dc);
    ps.hdc = dc.GetSafeHdc();
    CRect box;
    dc.GetClipBox(&box);
    ps.rcPaint = box;
    ps.fErase =
        ::SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps.hdc), 0) ? FALSE : TRUE;
}

}  // namespace platform

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    if (lpPaint == nullptr)
        return nullptr;
    auto dc = std::make_unique<CDC>();
    platform::BeginPaintInto(hWnd, *dc, *lpPaint);
    return platform::PoolDC(std::move(dc));
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    if (lpPaint == nullptr)
        return FALSE;
    return ::ReleaseDC(hWnd, lpPaint->hdc) ? TRUE : FALSE;
}

HDC GetDC(HWND hWnd) {
    auto dc = std::make_unique<CDC>();
    platform::AttachWindowDC(*dc, hWnd, false, nullptr);
    return platform::PoolDC(std::move(dc));
}

HDC GetWindowDC(HWND hWnd) {
    auto dc = std::make_unique<CDC>();
    platform::AttachWindowDC(*dc, hWnd, true, nullptr);
    return platform::PoolDC(std::move(dc));
}

int ReleaseDC(HWND /*hWnd*/, HDC hDC) {
    auto& pool = platform::Dcs().pool;
    const auto it = pool.find(hDC);
    if (it == pool.end())
        return 0;
    platform::UnregisterDC(it->second.get());
    pool.erase(it);
    return 1;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL /*bErase*/) {
    // Every repaint erases: the window's area is repainted from its parent up, so its old
    // pixels are gone whatever bErase says.
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    const CRect client = platform::ClientRectOnScreen(*rec);
    CRect r = client;
    if (lpRect != nullptr) {
        r = CRect(*lpRect) + client.TopLeft();
        r &= client;
    }
    r &= platform::VisibleRectOnScreen(*rec);
    platform::InvalidateScreenRect(r);
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    const CRect client = platform::ClientRectOnScreen(*rec);
    CRect r = client;
    if (lpRect != nullptr)
        r = CRect(*lpRect) + client.TopLeft();
    platform::Screen::Instance().Validate(r);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
    if (!IsWindow(hWnd))
        return FALSE;
    platform::Screen::Instance().Compose();
    return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, UINT flags) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    if (flags & RDW_INVALIDATE) {
        if ((flags & RDW_FRAME) && lprcUpdate == nullptr)
            platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
        else
            ::InvalidateRect(hWnd, lprcUpdate, (flags & RDW_ERASE) ? TRUE : FALSE);
    }
    if (flags & RDW_VALIDATE)
        ::ValidateRect(hWnd, lprcUpdate);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        ::UpdateWindow(hWnd);
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL /*bErase*/) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return FALSE;
    const CRect client = platform::ClientRectOnScreen(*rec);
    CRect dirty = platform::Screen::Instance().DirtyWithin(client);
    if (!dirty.IsRectEmpty())
        dirty -= client.TopLeft();
    if (lpRect != nullptr)
        *lpRect = dirty;
    return dirty.IsRectEmpty() ? FALSE : TRUE;
}
