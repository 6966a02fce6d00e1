// The single-line edit: typing and the editing keys, digits only, scrolling to the caret or
// refusing what does not fit, the selection messages, the notifications, and a tap placing the
// caret.

#include "platform/ui/CEdit.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/ControlTestSupport.h"

namespace {

using ctltest::ControlTest;
using CEditTest = ControlTest;

// One thing the user does: type text, or press a key (with Shift).
struct Step {
    std::u16string text;
    UINT vk = 0;
    bool shift = false;
};
Step T(std::u16string text) {
    return Step{std::move(text), 0, false};
}
Step K(UINT vk, bool shift = false) {
    return Step{u"", vk, shift};
}

std::pair<int, int> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    ::SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                  reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

TEST_F(CEditTest, TheEditingKeysChangeTextAndCaretAsTheyShould) {
    const struct {
        const char* what;
        std::vector<Step> steps;
        const char16_t* text;
        int selStart, selEnd;
    } cases[] = {
        {"typing", {T(u"abc")}, u"abc", 3, 3},
        {"Backspace", {T(u"abc"), K(VK_BACK)}, u"ab", 2, 2},
        {"Home then type", {T(u"abc"), K(VK_HOME), T(u"X")}, u"Xabc", 1, 1},
        {"End after Home", {T(u"abc"), K(VK_HOME), K(VK_END), T(u"Y")}, u"abcY", 4, 4},
        {"Left twice, Delete", {T(u"abc"), K(VK_LEFT), K(VK_LEFT), K(VK_DELETE)}, u"ac", 1, 1},
        {"Right past the end", {T(u"ab"), K(VK_RIGHT)}, u"ab", 2, 2},
        {"Backspace at the start", {T(u"ab"), K(VK_HOME), K(VK_BACK)}, u"ab", 0, 0},
        {"Delete at the end", {T(u"ab"), K(VK_DELETE)}, u"ab", 2, 2},
        {"Shift+Home selects", {T(u"abc"), K(VK_LEFT), K(VK_HOME, true)}, u"abc", 0, 2},
        {"typing replaces the selection", {T(u"abc"), K(VK_HOME, true), T(u"z")}, u"z", 1, 1},
        {"Backspace deletes the selection",
         {T(u"abcd"), K(VK_LEFT, true), K(VK_LEFT, true), K(VK_BACK)},
         u"ab",
         2,
         2},
        {"Left ends a selection at its start",
         {T(u"abcd"), K(VK_LEFT, true), K(VK_LEFT, true), K(VK_LEFT)},
         u"abcd",
         2,
         2},
        {"Enter, Escape and Tab type nothing", {T(u"a\r\x1b\tb")}, u"ab", 2, 2},
        {"a pair of surrogates goes as one",
         {T(u"a\U0001F600"), K(VK_LEFT), K(VK_DELETE)},
         u"a",
         1,
         1},
    };
    for (const auto& c : cases) {
        const HWND edit =
            Make(u"EDIT", u"", WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), 1012);
        ::SetFocus(edit);
        for (const Step& s : c.steps) {
            if (s.vk != 0)
                Press(s.vk, {.shift = s.shift});
            else
                Type(s.text);
        }
        EXPECT_EQ(Text(edit), c.text) << c.what;
        EXPECT_EQ(Selection(edit), std::make_pair(c.selStart, c.selEnd)) << c.what;
        ::DestroyWindow(edit);
    }
}

TEST_F(CEditTest, ADigitsOnlyEditRefusesEverythingElse) {
    const HWND edit = Make(u"EDIT", u"", WS_BORDER | ES_NUMBER, CRect(10, 10, 200, 30), 1012);
    ::SetFocus(edit);
    parent.notes.clear();
    Type(u"1a2-b 3.");
    EXPECT_EQ(Text(edit), u"123");
    EXPECT_EQ(parent.Commands(1012, EN_CHANGE), 3) << "one change per digit, none for the rest";
    // Only typing is filtered: the program may put anything there.
    ::SetWindowText(edit, u"abc");
    EXPECT_EQ(Text(edit), u"abc");
}

TEST_F(CEditTest, WithAutomaticScrollingTheCaretStaysInViewAndWithoutItTheTextMustFit) {
    CEdit scrolling;
    ASSERT_TRUE(scrolling.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 60, 30),
                                 &parent, 1));
    scrolling.SetFocus();
    Type(u"1234567890123456");
    EXPECT_EQ(Text(scrolling.m_hWnd), u"1234567890123456");
    // The caret (a one-pixel dark column) is inside the client area, at its right end.
    CRect client;
    ::GetClientRect(scrolling.m_hWnd, &client);
    POINT origin{0, 0};
    ::ClientToScreen(scrolling.m_hWnd, &origin);
    const CRect onScreen = client + CPoint(origin);
    const auto [first, last] = InkColumns(onScreen);
    EXPECT_GE(last, onScreen.right - 1 - platform::EditControl::kMargin) << "text reaches the end";
    Press(VK_HOME);
    const auto [homeFirst, homeLast] = InkColumns(onScreen);
    EXPECT_LE(homeFirst, onScreen.left + platform::EditControl::kMargin + 1)
        << "Home scrolls back to the first character";

    const HWND fixed = Make(u"EDIT", u"", WS_BORDER, CRect(10, 40, 60, 60), 2);
    ::SetFocus(fixed);
    parent.notes.clear();
    Type(u"1234567890123456");
    const std::u16string kept = Text(fixed);
    EXPECT_LT(kept.size(), 16u) << "the text stops where the control ends";
    EXPECT_GT(kept.size(), 3u);
    EXPECT_EQ(std::u16string(u"1234567890123456").substr(0, kept.size()), kept);
    EXPECT_GE(parent.Commands(2, EN_MAXTEXT), 1);
}

TEST_F(CEditTest, TheSelectionMessagesClampAndOrderTheirPositions) {
    const HWND edit = Make(u"EDIT", u"hello", WS_BORDER, CRect(10, 10, 200, 30), 1);
    const struct {
        int start, end;
        int selStart, selEnd;
    } cases[] = {
        {0, -1, 0, 5},                 // all
        {1, 3, 1, 3},   {3, 1, 1, 3},  // either order
        {2, 100, 2, 5},                // beyond the end
        {-1, 0, 5, 5},                 // -1 removes the selection, the caret stays
    };
    for (const auto& c : cases) {
        ::SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(c.start)),
                      c.end);
        EXPECT_EQ(Selection(edit), std::make_pair(c.selStart, c.selEnd))
            << c.start << ", " << c.end;
    }
    const auto packed = static_cast<DWORD>(::SendMessage(edit, EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(packed), 5);
    EXPECT_EQ(HIWORD(packed), 5);
    // Typing replaces what is selected and leaves the caret after it.
    ::SetFocus(edit);
    ::SendMessage(edit, EM_SETSEL, 1, 4);
    Type(u"ipp");
    EXPECT_EQ(Text(edit), u"hippo");
}

TEST_F(CEditTest, TheParentHearsOfFocusAndChangesAndTheLimitHolds) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 30),
                            &parent, 1012));
    const HWND other = Make(u"EDIT", u"", WS_BORDER, CRect(10, 40, 200, 60), 1013);
    parent.notes.clear();
    edit.SetFocus();
    ::SetFocus(other);
    EXPECT_EQ(parent.Commands(1012, EN_SETFOCUS), 1);
    EXPECT_EQ(parent.Commands(1012, EN_KILLFOCUS), 1);
    edit.SetWindowText(u"42");
    EXPECT_EQ(parent.Commands(1012, EN_CHANGE), 1);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text.View(), u"42");
    EXPECT_EQ(edit.GetSel(), 0u) << "new text leaves the caret at its start";

    edit.SetLimitText(3);
    edit.SetFocus();
    edit.SetSel(2, 2);
    Type(u"345");
    edit.GetWindowText(text);
    EXPECT_EQ(text.View(), u"423");
    EXPECT_GE(parent.Commands(1012, EN_MAXTEXT), 1);
    EXPECT_EQ(edit.GetLimitText(), 3u);
}

TEST_F(CEditTest, ATapPlacesTheCaretAtTheNearestPlaceBetweenCharacters) {
    const HWND edit = Make(u"EDIT", u"abcd", WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), 1);
    platform::MeasureDC measure(edit);
    const int ab = measure.dc().GetTextExtent(u"ab", 2).cx;
    POINT origin{0, 0};
    ::ClientToScreen(edit, &origin);
    const int y = origin.y + 5;
    const struct {
        int x;  // client
        int caret;
    } cases[] = {
        {0, 0},
        {platform::EditControl::kMargin + ab, 2},
        {platform::EditControl::kMargin + ab + 1, 2},
        {180, 4},  // beyond the text
    };
    for (const auto& c : cases) {
        Tap(CPoint(origin.x + c.x, y));
        EXPECT_EQ(::GetFocus(), edit) << "a tap gives the edit the focus";
        EXPECT_EQ(Selection(edit), std::make_pair(c.caret, c.caret)) << "x " << c.x;
    }
    // Dragging selects.
    Down(CPoint(origin.x + 1, y));
    Move(CPoint(origin.x + 180, y));
    Up(CPoint(origin.x + 180, y));
    EXPECT_EQ(Selection(edit), std::make_pair(0, 4));
}

}  // namespace
