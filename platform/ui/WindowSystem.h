#pragma once
// The window system's own state: the table of windows, their tree and z-order, focus, capture,
// activation, the message queue, timers, and objects waiting to be deleted. Everything runs on
// the one user-interface thread. Only the window layer's own files include this header; the
// rest of the program uses the calls of WindowApi.h and the classes built on them.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/CString.h"
#include "platform/ui/Display.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/WinTypes.h"
#include "platform/ui/WindowStyles.h"

class CObject;
class CWnd;

namespace platform {

class Screen;

struct WindowRecord {
    HWND handle = nullptr;
    std::u16string className;
    int backgroundColor = -1;  // system colour index, -1: the class erases nothing
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    CString text;
    CRect rect;             // in the parent's client coordinates; screen for a top-level window
    HWND parent = nullptr;  // the parent of a child window
    HWND owner = nullptr;   // the owner of a top-level window
    std::vector<HWND> children;  // topmost first, which is also the tab order
    // The objects that handle its messages: the class's behaviour first, the object that
    // answers first (the most recent subclasser) last.
    std::vector<CWnd*> chain;
    std::vector<CWnd*> attached;  // objects that wrap the window without handling messages
    std::vector<std::unique_ptr<CObject>> owned;  // die with the window
    CWnd* creator = nullptr;                      // the C++ object whose Create made it
    ScrollBarState vscroll;
    ScrollBarState hscroll;
    WPARAM font = 0;           // WM_SETFONT
    HWND lastFocus = nullptr;  // of a top-level window: where focus goes back on activation
    LONG userData = 0;
    bool destroying = false;
    bool modal = false;  // runs modally: the top bar carries its ok button and close box
    bool painting = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    std::chrono::milliseconds interval{0};
    std::chrono::steady_clock::time_point due;
    TIMERPROC proc = nullptr;
};

// A queued message, with the modifier keys as they were when it was queued, so that
// GetKeyState answers for the message being handled.
struct QueuedMessage {
    MSG msg;
    KeyModifiers modifiers;
};

struct WindowSystem {
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> windows;
    std::uintptr_t nextHandle = 0x1000;
    std::vector<HWND> topLevels;  // topmost first

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND focusPending = nullptr;    // where SetFocus is taking the focus while it activates
    bool captureNonClient = false;  // the capture tracks a scroll bar of the captured window

    std::deque<QueuedMessage> queue;
    std::vector<Timer> timers;
    KeyModifiers keyState;  // of the message being handled
    MSG current{};          // the message last retrieved

    int dispatchDepth = 0;
    int modalDepth = 0;
    // The user closed the screen (or its window): loops end, the main window is closed.
    bool closeRequested = false;
    // The stylus went down on a window that had not taken the capture itself: it keeps the
    // capture until its WM_LBUTTONUP has been handled.
    bool implicitCapture = false;
    // Run when the queue has run empty, before the screen is painted: the application's idle
    // work (updating the command user interface).
    std::function<void()> idleHook;
    UINT_PTR nextTimerId = 0x7000;

    // Objects whose windows are gone, and windows' records, freed when no handler is running.
    std::vector<std::unique_ptr<CObject>> graveyard;
    std::vector<std::unique_ptr<WindowRecord>> deadRecords;
    // Auto-deleting objects (frames, views) owned by the window system until their window dies.
    std::unordered_map<const CWnd*, std::unique_ptr<CWnd>> adopted;

    Screen* screen = nullptr;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

WindowSystem& Sys();
WindowRecord* FindRecord(HWND hwnd);

// A record's chain answer: the front object's WindowProc, or the default procedure.
LRESULT CallWindow(WindowRecord& rec, UINT message, WPARAM wParam, LPARAM lParam);

// Geometry helpers in screen coordinates.
CRect NonClientInsets(const WindowRecord& rec);
CRect WindowRectOnScreen(const WindowRecord& rec);
CRect ClientRectOnScreen(const WindowRecord& rec);
// The part of the screen the window can draw on: its rectangle clipped by every ancestor's
// client area. Empty for a window that is not visible.
CRect VisibleRectOnScreen(const WindowRecord& rec);
bool IsVisibleOnScreen(const WindowRecord& rec);
// The top-level window of a window (itself when it is one).
WindowRecord* TopLevelOf(WindowRecord* rec);
bool IsDescendant(HWND ancestor, HWND hwnd);  // true also for hwnd == ancestor

std::vector<HWND>& SiblingsOf(WindowRecord& rec);
// Moves a window in its siblings' z-order: after insertAfter, or to HWND_TOP / HWND_BOTTOM ...
void PlaceInZOrder(WindowRecord& rec, HWND insertAfter);
// The creation parameters as CreateWindowEx takes them, in one structure.
CREATESTRUCT MakeCreateStruct(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                              DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                              UINT nID, void* lpParam);
// Makes a window for a C++ object (null: only the class's behaviour answers its messages).
HWND CreateWindowFor(CWnd* object, CREATESTRUCT& cs);
// Takes an object out of its window's lists, as its destructor does.
void ForgetObject(CWnd* object);
// Activates the preferred top-level window, or else the topmost visible enabled one.
void ActivateNext(HWND preferred);
// Whether stylus and keys may reach the window: it and its ancestors are visible and enabled.
bool AcceptsInput(const WindowRecord& rec);

// A shown standard scroll bar's rectangle on the screen; empty when the window has none.
CRect StandardBarRect(const WindowRecord& rec, bool vertical);
ScrollBarState* StandardBar(WindowRecord& rec, int nBar);

// Marks a screen area as needing a repaint.
void InvalidateScreenRect(const CRect& rect);

// The next message: a queued one, else the next input event, else a timer that is due. When
// none is there, the idle work runs and the screen is painted and presented; then, with wait,
// it waits for input. Message: out holds one (WM_QUIT included). Empty: nothing, and not
// waiting. Ended: the user closed the screen, or no input will ever come.
enum class Fetch { Message, Empty, Ended };
Fetch FetchMessage(MSG& out, bool wait, bool remove);

// Frees what the graveyard holds, unless a handler is running.
void CollectGarbage();

}  // namespace platform
