// The up-down control: the buddy it writes its position into and stands beside, the range it
// never leaves, the arrow keys, holding an arrow with the acceleration table on a clock the
// test drives, and what the parent hears.

#include "platform/ui/CEdit.h"
#include "platform/ui/CSpinButtonCtrl.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/ControlTestSupport.h"

namespace {

using ctltest::ControlTest;

class CSpinButtonCtrlTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        platform::UpDownControl::SetClock([this] { return now; });
    }
    void TearDown() override {
        platform::UpDownControl::SetClock(nullptr);
        ControlTest::TearDown();
    }
    // The font dialog's pair: an edit, then an up-down that takes it as its buddy by itself.
    void MakePair(DWORD extra = 0) {
        edit = Make(u"EDIT", u"", WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL, CRect(44, 60, 112, 81),
                    1012);
        spin = Make(u"msctls_updown32", u"Spin1",
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | extra,
                    CRect(114, 58, 132, 83), 1011);
    }
    CPoint UpArrow() const {
        const CRect r = OnScreen(spin);
        return CPoint(r.CenterPoint().x, r.top + 2);
    }
    CPoint DownArrow() const {
        const CRect r = OnScreen(spin);
        return CPoint(r.CenterPoint().x, r.bottom - 3);
    }
    int Pos() const { return static_cast<int>(::SendMessage(spin, UDM_GETPOS32, 0, 0)); }
    void Tick(DWORD at) {
        now = at;
        ::SendMessage(spin, WM_TIMER, platform::UpDownControl::kRepeatTimer, 0);
    }

    DWORD now = 1000;
    HWND edit = nullptr;
    HWND spin = nullptr;
};

TEST_F(CSpinButtonCtrlTest, ItTakesTheEditBeforeItAsBuddyStandsAtItsRightAndWritesItsPosition) {
    MakePair();
    EXPECT_EQ(LParamToHandle(::SendMessage(spin, UDM_GETBUDDY, 0, 0)), edit);
    const CRect e = OnScreen(edit), s = OnScreen(spin);
    EXPECT_EQ(e.left, 44);
    EXPECT_EQ(e.Width(), 68 - 18) << "the edit gives up the arrows' width";
    EXPECT_EQ(s.left, e.right) << "the arrows stand against its right edge";
    EXPECT_EQ(s.top, e.top);
    EXPECT_EQ(s.Height(), e.Height()) << "and take its height";
    EXPECT_EQ(s.right, 112 + 0) << "the pair fills the edit's old place";

    ::SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(72, 8));
    ::SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(10, 0));
    EXPECT_EQ(Text(edit), u"10");
    EXPECT_EQ(::SendMessage(spin, UDM_GETRANGE, 0, 0), MAKELONG(72, 8));

    // Setting the same buddy again places the arrows again but takes no more width.
    ::SendMessage(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    EXPECT_EQ(OnScreen(edit).Width(), 50);
    EXPECT_EQ(OnScreen(spin).left, OnScreen(edit).right);
}

TEST_F(CSpinButtonCtrlTest, ANewBuddyElsewhereTakesTheArrowsWithIt) {
    // The browser's case: the up-down was created before its edit, so it first took the
    // control before it; the form then gives it the edit, after moving the edit.
    const HWND counter = Make(u"STATIC", u"1/3", 0, CRect(4, 4, 234, 18), 1005);
    spin = Make(u"msctls_updown32", u"Spin1",
                UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                CRect(216, 206, 235, 231), 1011);
    edit = Make(u"EDIT", u"", WS_BORDER | ES_AUTOHSCROLL, CRect(156, 190, 208, 211), 1012);
    EXPECT_EQ(Text(counter), u"1/3") << "taking a buddy writes nothing into it";
    ::SetWindowPos(edit, nullptr, 4, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CSpinButtonCtrl wrapper;
    ASSERT_TRUE(wrapper.SubclassWindow(spin));
    wrapper.SetBuddy(CWnd::FromHandle(edit));
    wrapper.SetRange32(1, 250);
    const CRect e = OnScreen(edit), s = OnScreen(spin);
    EXPECT_EQ(s.left, e.right);
    EXPECT_EQ(s.top, e.top);
    EXPECT_EQ(e.left, 4);
    int lower = 0, upper = 0;
    wrapper.GetRange(lower, upper);
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 250);
    wrapper.UnsubclassWindow();
}

TEST_F(CSpinButtonCtrlTest, ThePositionNeverLeavesTheRange) {
    MakePair();
    const struct {
        int lower, upper, start;
        bool up;
        int expected;
    } cases[] = {
        {8, 72, 72, true, 72}, {8, 72, 8, false, 8},   {8, 72, 10, true, 11},
        {8, 72, 10, false, 9}, {72, 8, 10, true, 9},  // up goes towards the upper limit
        {1, 1, 1, true, 1},    {-5, 5, -5, false, -5}, {-5, 5, -1, true, 0},
    };
    for (const auto& c : cases) {
        ::SendMessage(spin, UDM_SETRANGE32,
                      static_cast<WPARAM>(static_cast<std::intptr_t>(c.lower)), c.upper);
        ::SendMessage(spin, UDM_SETPOS32, 0, c.start);
        Tap(c.up ? UpArrow() : DownArrow());
        EXPECT_EQ(Pos(), c.expected)
            << c.lower << ".." << c.upper << " from " << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(Text(edit), std::u16string(CString::FromUtf8(std::to_string(c.expected)).View()));
    }
    // Out-of-range positions set by the program are brought into the range.
    ::SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(72, 8));
    ::SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(200, 0));
    EXPECT_EQ(Pos(), 72);
}

TEST_F(CSpinButtonCtrlTest, TheArrowKeysInTheBuddyStepAndTypedNumbersAreStartedFrom) {
    MakePair();
    ::SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(72, 8));
    ::SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(10, 0));
    ::SetFocus(edit);
    Press(VK_UP);
    EXPECT_EQ(Text(edit), u"11");
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(Text(edit), u"9");
    // The user typed a number: the next step starts from it.
    ::SetWindowText(edit, u"");
    Type(u"40");
    Press(VK_UP);
    EXPECT_EQ(Text(edit), u"41");
    // Something that is no number in range: the step starts from the last position.
    ::SetWindowText(edit, u"500");
    EXPECT_NE(HIWORD(static_cast<DWORD>(::SendMessage(spin, UDM_GETPOS, 0, 0))), 0)
        << "UDM_GETPOS reports the buddy's text as no position";
    Press(VK_UP);
    EXPECT_EQ(Text(edit), u"42");
    EXPECT_EQ(::SendMessage(spin, UDM_GETPOS, 0, 0), MAKELONG(42, 0));
}

TEST_F(CSpinButtonCtrlTest, WithoutArrowKeysTheKeysStayTheEdits) {
    edit = Make(u"EDIT", u"5", WS_BORDER, CRect(44, 60, 112, 81), 1012);
    spin = Make(u"msctls_updown32", u"", UDS_SETBUDDYINT | UDS_AUTOBUDDY, CRect(114, 58, 132, 83),
                1011);
    ::SendMessage(spin, UDM_SETRANGE32, 0, 100);
    ::SetFocus(edit);
    Press(VK_UP);
    EXPECT_EQ(Text(edit), u"5");
}

TEST_F(CSpinButtonCtrlTest, HoldingAnArrowRepeatsWithTheStepsOfTheAccelerationTable) {
    MakePair();
    ::SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(72, 8));
    ::SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(10, 0));
    UDACCEL accel[] = {{2, 2}};
    EXPECT_TRUE(::SendMessage(spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(accel)));
    const DWORD pressed = now;
    Down(UpArrow());
    EXPECT_EQ(Pos(), 11) << "one step at once";
    // (milliseconds after the press, position expected after that tick)
    const std::pair<DWORD, int> ticks[] = {
        {100, 11},  {399, 11},                                     // the repeat waits
        {400, 12},  {450, 12},  {500, 13}, {600, 14}, {1900, 15},  // no catching up after a gap
        {2000, 17}, {2100, 19},                                    // two seconds: steps of two
    };
    for (const auto& [after, expected] : ticks) {
        Tick(pressed + after);
        EXPECT_EQ(Pos(), expected) << after << " ms";
    }
    // The stylus slides off the arrow: the repeat waits.
    Move(CPoint(UpArrow().x + 40, UpArrow().y));
    Tick(pressed + 2200);
    EXPECT_EQ(Pos(), 19);
    Move(UpArrow());
    Tick(pressed + 2300);
    EXPECT_EQ(Pos(), 21);
    Up(UpArrow());
    Tick(pressed + 2400);
    EXPECT_EQ(Pos(), 21) << "lifting ends the repeat";
    EXPECT_EQ(Text(edit), u"21");

    // Near the limit the step stops at it.
    ::SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(69, 0));
    now = 50000;
    Down(UpArrow());
    Tick(52000);
    EXPECT_EQ(Pos(), 72);
    Tick(52100);
    EXPECT_EQ(Pos(), 72);
    Up(UpArrow());

    UDACCEL back[2]{};
    EXPECT_EQ(::SendMessage(spin, UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(back)), 1);
    EXPECT_EQ(back[0].nSec, 2u);
    EXPECT_EQ(back[0].nInc, 2u);
}

TEST_F(CSpinButtonCtrlTest, TheParentHearsOfEachStepAndMayRefuseIt) {
    MakePair(UDS_NOTHOUSANDS);
    ::SendMessage(spin, UDM_SETRANGE32, 0, 5000);
    ::SendMessage(spin, UDM_SETPOS32, 0, 1233);
    parent.notes.clear();
    Tap(UpArrow());
    using ctltest::Note;
    const std::vector<Note> expected = {
        {WM_NOTIFY, 1011, UDN_DELTAPOS, 0},
        {WM_VSCROLL, 1011, SB_THUMBPOSITION, 1234},
        {WM_VSCROLL, 1011, SB_ENDSCROLL, 1234},
    };
    std::vector<Note> seen;
    for (const Note& n : parent.notes) {
        if (n.message != WM_COMMAND)
            seen.push_back(n);
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Text(edit), u"1234") << "no thousands separator";

    parent.refuseDeltaPos = true;
    Tap(UpArrow());
    EXPECT_EQ(Pos(), 1234);
}

TEST_F(CSpinButtonCtrlTest, LargeNumbersGetThousandsSeparatorsUnlessTheStyleSaysNo) {
    MakePair();
    ::SendMessage(spin, UDM_SETRANGE32, 0, 100000);
    ::SendMessage(spin, UDM_SETPOS32, 0, 12345);
    EXPECT_EQ(Text(edit), u"12,345");
    ::SetFocus(edit);
    Press(VK_UP);
    EXPECT_EQ(Text(edit), u"12,346") << "the separated text reads back";
}

}  // namespace
