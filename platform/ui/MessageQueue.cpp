// The message queue: sending, posting, retrieving and dispatching, timers.

#include <algorithm>
#include <chrono>

#include "platform/ui/Screen.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

using platform::FindRecord;
using platform::Sys;
using platform::WindowRecord;

namespace platform {

DWORD Now() {
    const auto elapsed = std::chrono::steady_clock::now() - Sys().start;
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

namespace {

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCLBUTTONUP);
}

bool QueueDueTimers() {
    WindowSystem& sys = Sys();
    const auto now = std::chrono::steady_clock::now();
    bool queued = false;
    for (Timer& t : sys.timers) {
        if (t.due > now)
            continue;
        t.due = now + t.interval;
        // One WM_TIMER at a time per timer, as the platform coalesces them.
        const bool pending =
            std::any_of(sys.queue.begin(), sys.queue.end(), [&](const QueuedMessage& q) {
                return q.msg.message == WM_TIMER && q.msg.hwnd == t.hwnd && q.msg.wParam == t.id;
            });
        if (!pending) {
            MSG m;
            m.hwnd = t.hwnd;
            m.message = WM_TIMER;
            m.wParam = t.id;
            m.lParam = static_cast<LPARAM>(reinterpret_cast<std::uintptr_t>(t.proc));
            m.time = Now();
            sys.queue.push_back({m, sys.keyState});
            queued = true;
        }
    }
    return queued;
}

int MillisecondsToNextTimer() {
    WindowSystem& sys = Sys();
    if (sys.timers.empty())
        return -1;
    const auto now = std::chrono::steady_clock::now();
    auto next = sys.timers.front().due;
    for (const Timer& t : sys.timers)
        next = std::min(next, t.due);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 60'000));
}

}  // namespace

Fetch FetchMessage(MSG& out, bool wait, bool remove) {
    WindowSystem& sys = Sys();
    bool idleDone = false;
    for (;;) {
        CollectGarbage();
        if (!sys.queue.empty()) {
            const QueuedMessage q = sys.queue.front();
            if (remove)
                sys.queue.pop_front();
            sys.keyState = q.modifiers;
            sys.current = q.msg;
            out = q.msg;
            return Fetch::Message;
        }
        if (sys.closeRequested)
            return Fetch::Ended;
        bool ended = false;
        if (Screen::Instance().PumpInput(0, &ended))
            continue;
        if (QueueDueTimers())
            continue;
        if (!idleDone) {
            idleDone = true;
            if (sys.idleHook)
                sys.idleHook();
            if (!sys.queue.empty())
                continue;
        }
        Screen::Instance().Present();
        if (!wait)
            return Fetch::Empty;
        if (ended)
            return Fetch::Ended;
        ended = false;
        if (Screen::Instance().PumpInput(MillisecondsToNextTimer(), &ended)) {
            idleDone = false;
            continue;
        }
        if (ended)
            return Fetch::Ended;
    }
}

}  // namespace platform

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return 0;
    return platform::CallWindow(*rec, message, wParam, lParam);
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && !IsWindow(hWnd))
        return FALSE;
    platform::WindowSystem& sys = Sys();
    MSG m;
    m.hwnd = hWnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = platform::Now();
    m.pt = sys.current.pt;
    sys.queue.push_back({m, sys.keyState});
    return TRUE;
}

void PostQuitMessage(int nExitCode) {
    ::PostMessage(nullptr, WM_QUIT, static_cast<WPARAM>(nExitCode), 0);
}

BOOL GetMessage(LPMSG lpMsg, HWND /*hWnd*/, UINT /*wMsgFilterMin*/, UINT /*wMsgFilterMax*/) {
    MSG m;
    if (platform::FetchMessage(m, true, true) == platform::Fetch::Message) {
        if (lpMsg != nullptr)
            *lpMsg = m;
        return m.message != WM_QUIT ? TRUE : FALSE;
    }
    if (lpMsg != nullptr) {
        *lpMsg = MSG{};
        lpMsg->message = WM_NULL;
    }
    return FALSE;
}

BOOL PeekMessage(LPMSG lpMsg, HWND /*hWnd*/, UINT /*wMsgFilterMin*/, UINT /*wMsgFilterMax*/,
                 UINT wRemoveMsg) {
    MSG m;
    if (platform::FetchMessage(m, false, (wRemoveMsg & PM_REMOVE) != 0) != platform::Fetch::Message)
        return FALSE;
    if (lpMsg != nullptr)
        *lpMsg = m;
    return TRUE;
}

LRESULT DispatchMessage(const MSG* lpMsg) {
    if (lpMsg == nullptr || lpMsg->hwnd == nullptr)
        return 0;
    WindowRecord* rec = FindRecord(lpMsg->hwnd);
    if (rec == nullptr)
        return 0;
    if (platform::IsInputMessage(lpMsg->message) && !platform::AcceptsInput(*rec) &&
        Sys().capture != lpMsg->hwnd)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        const auto proc = reinterpret_cast<TIMERPROC>(static_cast<std::uintptr_t>(lpMsg->lParam));
        proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    }
    const LRESULT result = platform::CallWindow(*rec, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    platform::WindowSystem& sys = Sys();
    if (lpMsg->message == WM_LBUTTONUP && sys.implicitCapture) {
        // The stylus is up and the window has seen it: the capture it was lent ends.
        sys.implicitCapture = false;
        if (sys.capture == lpMsg->hwnd)
            ::ReleaseCapture();
    }
    return result;
}

DWORD GetMessageTime() {
    return Sys().current.time;
}

DWORD GetMessagePos() {
    const POINT pt = Sys().current.pt;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
}

DWORD GetTickCount() {
    return platform::Now();
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    platform::WindowSystem& sys = Sys();
    if (hWnd != nullptr && !IsWindow(hWnd))
        return 0;
    if (hWnd == nullptr)
        nIDEvent = ++sys.nextTimerId;
    std::erase_if(sys.timers,
                  [&](const platform::Timer& t) { return t.hwnd == hWnd && t.id == nIDEvent; });
    platform::Timer t;
    t.hwnd = hWnd;
    t.id = nIDEvent;
    t.interval = std::chrono::milliseconds(std::max<UINT>(uElapse, 10));
    t.due = std::chrono::steady_clock::now() + t.interval;
    t.proc = lpTimerFunc;
    sys.timers.push_back(t);
    return nIDEvent != 0 ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    platform::WindowSystem& sys = Sys();
    const auto removed = std::erase_if(
        sys.timers, [&](const platform::Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
    std::erase_if(sys.queue, [&](const platform::QueuedMessage& q) {
        return q.msg.message == WM_TIMER && q.msg.hwnd == hWnd && q.msg.wParam == uIDEvent;
    });
    return removed > 0 ? TRUE : FALSE;
}
