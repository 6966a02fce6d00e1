#pragma once
// What the control tests share: a dialog-like parent on the work area that notes its
// controls' notifications (and may handle mnemonics as dialogs do), taps and keys through the
// headless display, and reading what the screen shows.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/CWinApp.h"
#include "platform/ui/DialogMnemonic.h"
#include "platform/ui/NotifyHeader.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/SoftInputPanel.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace ctltest {

// One notification the parent received.
struct Note {
    UINT message = 0;  // WM_COMMAND, WM_NOTIFY, WM_VSCROLL ...
    int id = 0;        // the control's id (WM_COMMAND, WM_NOTIFY)
    UINT code = 0;     // the notification or scroll code
    int value = 0;     // WM_VSCROLL's position; UDN_DELTAPOS's delta
    friend bool operator==(const Note&, const Note&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Note& n) {
    return os << "{msg 0x" << std::hex << n.message << std::dec << " id " << n.id << " code "
              << static_cast<int>(n.code) << " value " << n.value << "}";
}

class Parent : public CWnd {
public:
    std::vector<Note> notes;
    std::vector<MSG> keys;  // keyboard messages PreTranslateMessage saw, in order
    bool handleMnemonics = false;
    bool refuseDeltaPos = false;

    int Count(UINT message, int id, UINT code) const {
        return static_cast<int>(std::count_if(notes.begin(), notes.end(), [&](const Note& n) {
            return n.message == message && n.id == id && n.code == code;
        }));
    }
    int Commands(int id, UINT code) const { return Count(WM_COMMAND, id, code); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && lParam != 0) {
            notes.push_back({message, LOWORD(wParam), HIWORD(wParam), 0});
        } else if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            notes.push_back({message, static_cast<int>(header->idFrom), header->code, 0});
            if (refuseDeltaPos)
                return 1;
        } else if (message == WM_VSCROLL || message == WM_HSCROLL) {
            notes.push_back({message, ::GetDlgCtrlID(LParamToHandle(lParam)), LOWORD(wParam),
                             static_cast<short>(HIWORD(wParam))});
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
            keys.push_back(*pMsg);
        return handleMnemonics && platform::ProcessDialogMnemonic(m_hWnd, *pMsg);
    }
};

// Every control test runs on a parent that covers the work area, with the display attached.
class ControlTest : public uitest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Attach();
        ASSERT_TRUE(parent.CreateEx(0, uitest::kTestClass, u"Controls", WS_POPUP | WS_VISIBLE,
                                    platform::WorkAreaRect(), nullptr, 0));
        platform::RunUntilIdle();
    }
    void TearDown() override {
        if (const HWND sip = platform::SipWindow())
            ::DestroyWindow(sip);
        parent.DestroyWindow();
        platform::RunUntilIdle();
        UiTest::TearDown();
    }

    // A child control of the parent, in the parent's client coordinates.
    HWND Make(const char16_t* cls, const char16_t* text, DWORD style, const CRect& r, int id) {
        return ::CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                r.Width(), r.Height(), parent.m_hWnd, static_cast<UINT>(id));
    }

    static CRect OnScreen(HWND hwnd) {
        CRect r;
        ::GetWindowRect(hwnd, &r);
        return r;
    }
    void Tap(CPoint screen) {
        display.QueueTap(screen.x, screen.y);
        platform::RunUntilIdle();
    }
    void TapCentre(HWND hwnd) { Tap(OnScreen(hwnd).CenterPoint()); }
    void Down(CPoint screen) {
        display.QueueEvent(platform::InputEvent::StylusDown(screen.x, screen.y));
        platform::RunUntilIdle();
    }
    void Move(CPoint screen) {
        display.QueueEvent(platform::InputEvent::StylusMove(screen.x, screen.y));
        platform::RunUntilIdle();
    }
    void Up(CPoint screen) {
        display.QueueEvent(platform::InputEvent::StylusUp(screen.x, screen.y));
        platform::RunUntilIdle();
    }
    void Press(UINT vk, platform::KeyModifiers mods = {}) {
        display.QueueKeyPress(vk, mods);
        platform::RunUntilIdle();
    }
    void Type(std::u16string_view text) {
        display.QueueText(text);
        platform::RunUntilIdle();
    }

    static std::u16string Text(HWND hwnd) {
        const int length = ::GetWindowTextLength(hwnd);
        std::u16string text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
        const int n = ::GetWindowText(hwnd, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(std::max(n, 0)));
        return text;
    }

    // The pixels of the screen's last composition inside r (screen coordinates) that are
    // darker than mid grey: the ink of text and lines.
    static int Ink(const CRect& r) {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const std::uint32_t p = uitest::Pixel(x, y);
                const int sum =
                    static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
                if (sum < 3 * 96)
                    ++count;
            }
        }
        return count;
    }
    // The leftmost and rightmost columns of r holding ink; {-1, -1} when none.
    static std::pair<int, int> InkColumns(const CRect& r) {
        int first = -1, last = -1;
        for (int x = r.left; x < r.right; ++x) {
            if (Ink(CRect(x, r.top, x + 1, r.bottom)) > 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        return {first, last};
    }

    Parent parent;
};

}  // namespace ctltest
