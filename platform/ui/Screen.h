#pragma once
// The handheld's screen: one 240 x 320 surface that every window paints into, the top bar, and
// the way in for input. Windows mark areas dirty; when the message queue runs empty the screen
// repaints those areas by painting the window trees over them (each window's frame, then its
// background and client area, then its children, each clipped to its parent and translated to
// its own origin), draws the top bar, and presents the result to the display with the overlays
// (the wait cursor) on top. Input events become queued messages one at a time, as the queue
// asks for them, so that each is routed with the windows as the previous one left them.
//
// Without a display everything but presenting works, which is how tests read pixels and
// the state of windows without a screen.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/Surface.h"
#include "platform/ui/Display.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/WinTypes.h"

namespace platform {

class Screen {
public:
    static Screen& Instance();

    // The display to present to and to read input from; null detaches. The screen does not
    // own it. Attaching marks the whole screen dirty.
    void AttachDisplay(IDisplay* display);
    IDisplay* Display() const { return m_display; }

    const Surface& Pixels() const { return m_surface; }
    // 0x00RRGGBB as painted so far (overlays excluded); 0 outside the screen.
    std::uint32_t PixelAt(int x, int y) const { return m_surface.GetPixel(x, y); }

    void Invalidate(const CRect& rect);
    bool HasDirty() const { return !m_dirty.empty(); }
    // The dirty area's union with rect, as a bounding box (empty when none).
    CRect DirtyWithin(const CRect& rect) const;
    // Forgets dirty areas inside rect (they are painted already, or need no paint).
    void Validate(const CRect& rect);
    // Paints every dirty area now. Does nothing while a paint is under way.
    void Compose();
    // Composes, and presents when the screen changed since the last present.
    void Present();
    // Presents even if nothing changed.
    void PresentNow();
    int PresentCount() const { return m_presentCount; }
    // Something drew on the surface outside the composition (a window context).
    void MarkChanged() { m_changed = true; }

    // The window being painted and the screen area its paint covers, while a WM_PAINT or
    // WM_NCPAINT that the screen sent is handled.
    HWND PaintingWindow() const { return m_painting; }
    const CRect& PaintClip() const { return m_paintClip; }

    // Turns the next waiting input event into a queued message. Returns false when the display
    // has none ready (or there is no display); ended is set when it never will.
    bool PumpInput(int timeoutMs, bool* ended);

    // The wait cursor: an hourglass at the centre of the screen while shown.
    void SetWaitCursor(bool shown);
    bool WaitCursorShown() const { return m_waitCursor; }

    // The top bar's buttons for the active window, in screen coordinates; empty when it has
    // none. ok sends IDOK, the close box IDCANCEL.
    CRect TopBarOkRect() const;
    CRect TopBarCloseRect() const;

private:
    Screen();
    void PaintArea(const CRect& area);
    void PaintTree(HWND hwnd, const CRect& clip);
    void PaintTopBar(const CRect& area);
    void RouteStylus(const InputEvent& e);
    void RouteKey(const InputEvent& e);
    void RouteWheel(const InputEvent& e);
    void QueueInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const InputEvent& e);
    std::vector<std::uint32_t> FrameWithOverlays() const;

    Surface m_surface;
    IDisplay* m_display = nullptr;
    std::vector<CRect> m_dirty;
    bool m_changed = true;
    bool m_composing = false;
    int m_presentCount = 0;
    HWND m_painting = nullptr;
    CRect m_paintClip;
    bool m_waitCursor = false;
    // A top-bar button held down by the stylus: 1 ok, 2 close box.
    int m_topBarPressed = 0;
    bool m_implicitCapture = false;
    CPoint m_lastStylus;
};

}  // namespace platform
