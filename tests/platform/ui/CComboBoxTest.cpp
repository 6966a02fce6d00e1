// The drop-down list combo box: its messages, the field's height against the dropped height,
// the list opened and chosen from by taps and by keys, closed without a change, and scrolled.

#include "platform/ui/CComboBox.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/ControlTestSupport.h"

namespace {

using ctltest::ControlTest;

class CComboBoxTest : public ControlTest {
protected:
    // The font dialog's combo box: 123 x 71 dialog units as pixels.
    HWND MakeCombo(std::initializer_list<const char16_t*> entries, DWORD style = 0) {
        combo = Make(u"COMBOBOX", u"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | style,
                     CRect(12, 28, 227, 155), 1010);
        for (const char16_t* e : entries)
            ::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
        return combo;
    }
    int CurSel() const { return static_cast<int>(::SendMessage(combo, CB_GETCURSEL, 0, 0)); }
    bool Dropped() const { return ::SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    HWND List() const {
        for (HWND h = ::GetWindow(parent.m_hWnd, GW_HWNDFIRST); h != nullptr;
             h = ::GetWindow(h, GW_HWNDNEXT)) {
            char16_t name[32]{};
            ::GetClassName(h, name, 32);
            if (std::u16string_view(name) == u"ComboLBox" && ::IsWindowVisible(h))
                return h;
        }
        return nullptr;
    }
    // The centre of row `row` of the open list, on the screen.
    CPoint Row(int row) const {
        const CRect list = OnScreen(List());
        const int height = static_cast<int>(::SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
        return CPoint(list.left + 30, list.top + 1 + row * height + height / 2);
    }

    HWND combo = nullptr;
};

TEST_F(CComboBoxTest, TheMessagesAnswerAsThePlatformsDo) {
    MakeCombo({u"Arial", u"Courier New", u"Tahoma", u"arial"});
    struct Case {
        const char* what;
        UINT message;
        std::intptr_t wParam;
        const char16_t* text;
        LRESULT expected;
    };
    const Case cases[] = {
        {"count", CB_GETCOUNT, 0, nullptr, 4},
        {"nothing selected yet", CB_GETCURSEL, 0, nullptr, CB_ERR},
        {"exact, any case, from the start", CB_FINDSTRINGEXACT, -1, u"ARIAL", 0},
        {"exact, after entry 0", CB_FINDSTRINGEXACT, 0, u"arial", 3},
        {"exact wraps around", CB_FINDSTRINGEXACT, 3, u"Arial", 0},
        {"exact needs the whole name", CB_FINDSTRINGEXACT, -1, u"Aria", CB_ERR},
        {"exact, missing", CB_FINDSTRINGEXACT, -1, u"Times New Roman", CB_ERR},
        {"prefix", CB_FINDSTRING, -1, u"cour", 1},
        {"text length", CB_GETLBTEXTLEN, 1, nullptr, 11},
        {"text length, no such entry", CB_GETLBTEXTLEN, 4, nullptr, CB_ERR},
        {"select", CB_SETCURSEL, 2, nullptr, 2},
        {"selected", CB_GETCURSEL, 0, nullptr, 2},
        {"select beyond the end", CB_SETCURSEL, 9, nullptr, CB_ERR},
        {"and nothing is selected", CB_GETCURSEL, 0, nullptr, CB_ERR},
        {"add returns the index", CB_ADDSTRING, 0, u"Verdana", 4},
        {"select by prefix", CB_SELECTSTRING, -1, u"ta", 2},
        {"reset", CB_RESETCONTENT, 0, nullptr, 0},
        {"empty", CB_GETCOUNT, 0, nullptr, 0},
        {"empty, nothing selected", CB_GETCURSEL, 0, nullptr, CB_ERR},
        {"find in nothing", CB_FINDSTRINGEXACT, -1, u"Arial", CB_ERR},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(::SendMessage(combo, c.message, static_cast<WPARAM>(c.wParam),
                                reinterpret_cast<LPARAM>(c.text)),
                  c.expected)
            << c.what;
    }
    MakeCombo({u"Arial", u"Courier New"});
    CComboBox wrapper;
    ASSERT_TRUE(wrapper.SubclassWindow(combo));
    CString text;
    wrapper.GetLBText(1, text);
    EXPECT_EQ(text.View(), u"Courier New");
    wrapper.GetLBText(7, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(wrapper.FindStringExact(-1, u"courier new"), 1);
    wrapper.SetCurSel(1);
    EXPECT_EQ(Text(combo), u"Courier New") << "the window text is the selected entry";
    wrapper.UnsubclassWindow();
}

TEST_F(CComboBoxTest, TheFieldIsOneLineHighAndTheListGetsTheRest) {
    MakeCombo({u"Arial"});
    const int field = OnScreen(combo).Height();
    EXPECT_LT(field, 30);
    EXPECT_EQ(field, ::SendMessage(combo, CB_GETITEMHEIGHT, 0, 0) + 4);
    CRect dropped;
    ::SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.Height(), 127);
    EXPECT_EQ(dropped.TopLeft(), OnScreen(combo).TopLeft());
    CRect client;
    ::GetClientRect(combo, &client);
    EXPECT_EQ(client.Width(), 215) << "the scroll bar style is the list's, not the field's";
}

TEST_F(CComboBoxTest, ATapOpensTheListOverTheDialogAndATapOnAnEntryChoosesIt) {
    MakeCombo({u"Arial", u"Courier New", u"Tahoma"});
    ::SendMessage(combo, CB_SETCURSEL, 0, 0);
    parent.notes.clear();
    TapCentre(combo);
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(parent.Commands(1010, CBN_DROPDOWN), 1);
    EXPECT_EQ(::GetFocus(), combo);
    const CRect list = OnScreen(List());
    EXPECT_EQ(list.top, OnScreen(combo).bottom) << "below the field";
    EXPECT_EQ(list.Width(), OnScreen(combo).Width());
    EXPECT_EQ(::GetActiveWindow(), parent.m_hWnd) << "the list does not take the activation";

    Tap(Row(2));
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(CurSel(), 2);
    EXPECT_EQ(parent.Commands(1010, CBN_SELCHANGE), 1);
    EXPECT_EQ(parent.Commands(1010, CBN_CLOSEUP), 1);
    EXPECT_EQ(Text(combo), u"Tahoma");

    // Opened again, a tap elsewhere closes it and changes nothing; it does not reach what it
    // landed on either.
    const HWND button = Make(u"BUTTON", u"Other", 0, CRect(10, 200, 100, 230), 7);
    parent.notes.clear();
    TapCentre(combo);
    ASSERT_TRUE(Dropped());
    TapCentre(button);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(CurSel(), 2);
    EXPECT_EQ(parent.Commands(1010, CBN_SELCHANGE), 0);
    EXPECT_EQ(parent.Commands(1010, CBN_CLOSEUP), 1);
    EXPECT_EQ(parent.Commands(7, BN_CLICKED), 0);

    // Dragging from the field into the list and lifting there chooses too.
    Down(OnScreen(combo).CenterPoint());
    ASSERT_TRUE(Dropped());
    Move(Row(1));
    Up(Row(1));
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(CurSel(), 1);

    // Hiding the field takes its list away.
    TapCentre(combo);
    ASSERT_TRUE(Dropped());
    ::ShowWindow(combo, SW_HIDE);
    EXPECT_EQ(List(), nullptr);
    EXPECT_EQ(CurSel(), 1);
}

TEST_F(CComboBoxTest, TheArrowKeysMoveTheSelectionClosedAndTheHighlightOpen) {
    MakeCombo({u"Arial", u"Courier New", u"Tahoma"});
    ::SetFocus(combo);
    parent.notes.clear();
    const struct {
        const char* what;
        UINT vk;
        bool alt;
        int selected;  // after the key
        bool dropped;
        int changes;  // CBN_SELCHANGE so far
    } steps[] = {
        {"Down selects the first", VK_DOWN, false, 0, false, 1},
        {"Down", VK_DOWN, false, 1, false, 2},
        {"End", VK_END, false, 2, false, 3},
        {"Down at the end", VK_DOWN, false, 2, false, 3},
        {"Up", VK_UP, false, 1, false, 4},
        {"Alt+Down opens", VK_DOWN, true, 1, true, 4},
        {"Up moves the highlight only", VK_UP, false, 1, true, 4},
        {"Escape closes without a change", VK_ESCAPE, false, 1, false, 4},
        {"F4 opens", 0x73, false, 1, true, 4},
        {"Down", VK_DOWN, false, 1, true, 4},
        {"Enter chooses the highlight", VK_RETURN, false, 2, false, 5},
        {"Home", VK_HOME, false, 0, false, 6},
    };
    for (const auto& s : steps) {
        Press(s.vk, {.alt = s.alt});
        EXPECT_EQ(CurSel(), s.selected) << s.what;
        EXPECT_EQ(Dropped(), s.dropped) << s.what;
        EXPECT_EQ(parent.Commands(1010, CBN_SELCHANGE), s.changes) << s.what;
    }
    // While the list is open the dialog must leave Enter and Escape to it.
    ::SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(::SendMessage(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    ::SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(::SendMessage(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    // A letter goes to the next entry beginning with it.
    Type(u"t");
    EXPECT_EQ(CurSel(), 2);
}

TEST_F(CComboBoxTest, AListLongerThanItsRowsHasAScrollBarTheStylusScrolls) {
    MakeCombo({u"a0", u"a1", u"a2", u"a3", u"a4", u"a5", u"a6", u"a7", u"a8", u"a9",
               u"b0", u"b1", u"b2", u"b3", u"b4", u"b5", u"b6", u"b7", u"b8", u"b9"});
    TapCentre(combo);
    ASSERT_TRUE(Dropped());
    const CRect list = OnScreen(List());
    const int height = static_cast<int>(::SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
    const int rows = (list.Height() - 2) / height;
    EXPECT_LT(rows, 20);
    EXPECT_GE(rows, 4);
    EXPECT_LE(list.Height(), 127 - OnScreen(combo).Height());
    EXPECT_EQ(::SendMessage(combo, CB_GETTOPINDEX, 0, 0), 0);
    // The bar's lower arrow, at the list's bottom right.
    const CPoint downArrow(list.right - 1 - 6, list.bottom - 1 - 6);
    Tap(downArrow);
    Tap(downArrow);
    EXPECT_TRUE(Dropped()) << "scrolling keeps the list open";
    EXPECT_EQ(::SendMessage(combo, CB_GETTOPINDEX, 0, 0), 2);
    Tap(Row(0));
    EXPECT_EQ(CurSel(), 2) << "the first row shown is entry 2";
    // Keys bring the highlight into view.
    ::SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Press(VK_END);
    EXPECT_EQ(::SendMessage(combo, CB_GETTOPINDEX, 0, 0), 20 - rows);
    Press(VK_RETURN);
    EXPECT_EQ(CurSel(), 19);
}

TEST_F(CComboBoxTest, TheSortStyleKeepsEntriesInOrder) {
    MakeCombo({u"Tahoma", u"arial", u"Courier New", u"Arial Black"}, CBS_SORT);
    const char16_t* expected[] = {u"arial", u"Arial Black", u"Courier New", u"Tahoma"};
    for (int i = 0; i < 4; ++i) {
        char16_t buffer[32]{};
        ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(buffer));
        EXPECT_EQ(std::u16string_view(buffer), expected[i]) << i;
    }
}

}  // namespace
