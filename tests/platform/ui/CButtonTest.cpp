// The push button: a click when the stylus is lifted over it and not elsewhere, its pressed
// look while held, Space and Enter, mnemonics from the keyboard, and the disabled button.

#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/ControlTestSupport.h"

namespace {

using ctltest::ControlTest;
using CButtonTest = ControlTest;

TEST_F(CButtonTest, AClickNeedsTheStylusLiftedOverTheButton) {
    const HWND next = Make(u"BUTTON", u"&Next", BS_PUSHBUTTON, CRect(40, 100, 100, 125), 1002);
    const CRect r = OnScreen(next);
    const CPoint inside = r.CenterPoint();
    const CPoint outside(r.right + 30, r.bottom + 30);
    const struct {
        const char* path;
        std::vector<CPoint> moves;  // between down (inside) and up
        CPoint up;
        int clicks;
    } cases[] = {
        {"tap", {}, inside, 1},
        {"slid off and lifted outside", {outside}, outside, 0},
        {"slid off and back", {outside, inside}, inside, 1},
        {"lifted on the edge", {}, CPoint(r.right - 1, r.bottom - 1), 1},
    };
    for (const auto& c : cases) {
        parent.notes.clear();
        Down(inside);
        for (CPoint m : c.moves)
            Move(m);
        Up(c.up);
        EXPECT_EQ(parent.Commands(1002, BN_CLICKED), c.clicks) << c.path;
    }
}

TEST_F(CButtonTest, TheButtonLooksPressedWhileTheStylusHoldsItOverIt) {
    const HWND button = Make(u"BUTTON", u"Random", BS_PUSHBUTTON, CRect(40, 100, 100, 125), 1006);
    platform::RunUntilIdle();
    const CRect r = OnScreen(button);
    EXPECT_EQ(uitest::Pixel(r.left, r.top), 0xFFFFFFu) << "raised: light top left";
    EXPECT_EQ(uitest::Pixel(r.right - 1, r.bottom - 1), 0x000000u) << "raised: dark bottom right";
    Down(r.CenterPoint());
    EXPECT_EQ(::SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(uitest::Pixel(r.left, r.top), 0x000000u) << "pressed: dark top left";
    Move(CPoint(r.right + 20, r.top));
    EXPECT_EQ(::SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0u) << "off the button";
    EXPECT_EQ(uitest::Pixel(r.left, r.top), 0xFFFFFFu);
    Up(CPoint(r.right + 20, r.top));
    EXPECT_EQ(parent.Commands(1006, BN_CLICKED), 0);
}

TEST_F(CButtonTest, SpaceOnTheFocusedButtonClicksWhenReleasedAndEnterAtOnce) {
    const HWND button = Make(u"BUTTON", u"&Delete", BS_PUSHBUTTON, CRect(40, 100, 100, 125), 1007);
    ::SetFocus(button);
    display.QueueEvent(platform::InputEvent::KeyDown(VK_SPACE));
    platform::RunUntilIdle();
    EXPECT_EQ(parent.Commands(1007, BN_CLICKED), 0) << "not before Space is released";
    EXPECT_EQ(::SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    display.QueueEvent(platform::InputEvent::KeyUp(VK_SPACE));
    platform::RunUntilIdle();
    EXPECT_EQ(parent.Commands(1007, BN_CLICKED), 1);
    Press(VK_RETURN);
    EXPECT_EQ(parent.Commands(1007, BN_CLICKED), 2);
}

TEST_F(CButtonTest, MnemonicsClickTheirButtonWhereTheFocusTakesNoCharacters) {
    parent.handleMnemonics = true;
    Make(u"BUTTON", u"&Previous", BS_PUSHBUTTON, CRect(4, 200, 64, 225), 1001);
    Make(u"BUTTON", u"&Next", BS_PUSHBUTTON, CRect(68, 200, 128, 225), 1002);
    Make(u"BUTTON", u"Random", BS_PUSHBUTTON, CRect(132, 200, 192, 225), 1006);
    Make(u"STATIC", u"&Size:", 0, CRect(4, 10, 40, 24), -1);
    const HWND size = Make(u"EDIT", u"", WS_BORDER | WS_TABSTOP, CRect(44, 8, 100, 28), 1012);
    const HWND hidden = Make(u"BUTTON", u"&Hidden", BS_PUSHBUTTON, CRect(4, 170, 64, 195), 1009);
    ::ShowWindow(hidden, SW_HIDE);
    const struct {
        const char* what;
        bool focusOnEdit;
        UINT vk;
        bool alt;
        int previous, next;  // clicks expected
        const char16_t* typed;
    } cases[] = {
        {"n on the form", false, 'N', false, 0, 1, u""},
        {"p on the form", false, 'P', false, 1, 0, u""},
        {"r has no mnemonic", false, 'R', false, 0, 0, u""},
        {"a hidden button's mnemonic", false, 'H', false, 0, 0, u""},
        {"n in the edit types", true, 'N', false, 0, 0, u"n"},
        {"Alt+N in the edit clicks", true, 'N', true, 0, 1, u""},
    };
    for (const auto& c : cases) {
        parent.notes.clear();
        ::SetWindowText(size, u"");
        ::SetFocus(c.focusOnEdit ? size : parent.m_hWnd);
        Press(c.vk, {.alt = c.alt});
        EXPECT_EQ(parent.Commands(1001, BN_CLICKED), c.previous) << c.what;
        EXPECT_EQ(parent.Commands(1002, BN_CLICKED), c.next) << c.what;
        EXPECT_EQ(parent.Commands(1009, BN_CLICKED), 0) << c.what;
        EXPECT_EQ(Text(size), c.typed) << c.what;
    }
    // A label's mnemonic passes the focus to the control after it.
    ::SetFocus(parent.m_hWnd);
    Press('S');
    EXPECT_EQ(::GetFocus(), size);
}

TEST_F(CButtonTest, TheMnemonicIsUnderlined) {
    const HWND marked = Make(u"BUTTON", u"&Next", BS_PUSHBUTTON, CRect(10, 10, 80, 35), 1);
    const HWND plain = Make(u"BUTTON", u"Next", BS_PUSHBUTTON, CRect(10, 50, 80, 75), 2);
    platform::RunUntilIdle();
    // Inside the edge, the only ink is the text.
    CRect m = OnScreen(marked), p = OnScreen(plain);
    m.DeflateRect(3, 3);
    p.DeflateRect(3, 3);
    EXPECT_GT(Ink(m), Ink(p));
}

TEST_F(CButtonTest, ADisabledButtonIsGreyAndDoesNotClick) {
    CButton button;
    ASSERT_TRUE(
        button.Create(u"&Next", WS_VISIBLE | WS_DISABLED, CRect(40, 100, 100, 125), &parent, 1002));
    TapCentre(button.m_hWnd);
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.Commands(1002, BN_CLICKED), 0);
    CRect r = OnScreen(button.m_hWnd);
    r.DeflateRect(3, 3);
    EXPECT_EQ(Ink(r), 0) << "no black text";
    bool grey = false;
    for (int y = r.top; y < r.bottom && !grey; ++y) {
        for (int x = r.left; x < r.right && !grey; ++x)
            grey = uitest::Pixel(x, y) == 0x808080u;
    }
    EXPECT_TRUE(grey) << "grey text";
    button.EnableWindow(TRUE);
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.Commands(1002, BN_CLICKED), 1);
}

TEST_F(CButtonTest, TheDefaultButtonAnswersTheDialogAsSuchAndWearsAFrame) {
    const HWND ok = Make(u"BUTTON", u"OK", BS_DEFPUSHBUTTON, CRect(10, 10, 80, 35), IDOK);
    const HWND other = Make(u"BUTTON", u"Other", BS_PUSHBUTTON, CRect(10, 50, 80, 75), 3);
    EXPECT_EQ(::SendMessage(ok, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(::SendMessage(other, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    ::SendMessage(other, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(::SendMessage(other, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    platform::RunUntilIdle();
    const CRect r = OnScreen(other);
    EXPECT_EQ(uitest::Pixel(r.left, r.top), 0x000000u) << "the default button's frame";
}

}  // namespace
