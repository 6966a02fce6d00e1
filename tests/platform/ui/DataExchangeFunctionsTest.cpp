// The data exchanges: an integer read back from an edit by its rule, the range check and the
// messages the user gets, the focus put back on the field that failed, text and combo boxes.

#include "platform/base/MessageBox.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/DataExchangeFunctions.h"
#include "tests/platform/ui/ControlTestSupport.h"

namespace {

using ctltest::ControlTest;

// Notes the message boxes instead of showing them.
class RecordedBoxes : public platform::IMessageBoxService {
public:
    std::vector<std::pair<std::string, UINT>> shown;
    int Show(const CString& text, const CString&, UINT type) override {
        shown.emplace_back(text.ToUtf8(), type);
        return IDOK;
    }
};

// A form with the number field's exchange: an integer in 1 ... 100000, and a text.
class NumberForm : public ctltest::Parent {
public:
    int m_nNumber = 0;
    CString m_strCounter;
    bool validate = true;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, 1005, m_strCounter);
        DDX_Text(pDX, 1012, m_nNumber);
        if (validate)
            DDV_MinMaxInt(pDX, m_nNumber, 1, 100000);
    }
};

class DataExchangeFunctionsTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        previous = platform::SetMessageBoxService(&boxes);
        ASSERT_TRUE(form.CreateEx(0, uitest::kTestClass, u"Form", WS_POPUP | WS_VISIBLE,
                                  platform::WorkAreaRect(), nullptr, 0));
        counter = ::CreateWindowEx(0, u"STATIC", u" ", WS_CHILD | WS_VISIBLE, 4, 4, 200, 14,
                                   form.m_hWnd, 1005);
        number = ::CreateWindowEx(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 4, 20, 60, 20,
                                  form.m_hWnd, 1012);
        button = ::CreateWindowEx(0, u"BUTTON", u"Next", WS_CHILD | WS_VISIBLE, 4, 60, 60, 20,
                                  form.m_hWnd, 1002);
    }
    void TearDown() override {
        platform::SetMessageBoxService(previous);
        form.DestroyWindow();
        ControlTest::TearDown();
    }

    RecordedBoxes boxes;
    platform::IMessageBoxService* previous = nullptr;
    NumberForm form;
    HWND counter = nullptr, number = nullptr, button = nullptr;
};

TEST_F(DataExchangeFunctionsTest, AnIntegerIsReadBackByItsRuleOrTheUserIsTold) {
    form.validate = false;
    const struct {
        const char16_t* text;
        bool ok;
        int value;
    } cases[] = {
        {u"5", true, 5},
        {u" 12 ", true, 12},
        {u"\t42\t", true, 42},
        {u"-7", true, -7},
        {u"+3", true, 3},
        {u"007", true, 7},
        {u"2147483647", true, 2147483647},
        {u"-2147483648", true, -2147483647 - 1},
        {u"", false, 0},
        {u"   ", false, 0},
        {u"abc", false, 0},
        {u"1e3", false, 0},
        {u"4 2", false, 0},
        {u"-", false, 0},
        {u"12a", false, 0},
        {u"99999999999", false, 0},
        {u"-123456789012345678901234567890", false, 0},
        {u"2147483648", false, 0},
        {u"1,000", false, 0},
    };
    for (const auto& c : cases) {
        const std::string shown = CString(c.text).ToUtf8();
        boxes.shown.clear();
        form.m_nNumber = -99;
        ::SetWindowText(number, c.text);
        ::SetFocus(button);
        const BOOL ok = form.UpdateData(TRUE);
        EXPECT_EQ(ok != FALSE, c.ok) << "'" << shown << "'";
        if (c.ok) {
            EXPECT_EQ(form.m_nNumber, c.value) << "'" << shown << "'";
            EXPECT_TRUE(boxes.shown.empty()) << "'" << shown << "'";
            continue;
        }
        EXPECT_EQ(form.m_nNumber, -99) << "'" << shown << "': the member keeps its value";
        ASSERT_EQ(boxes.shown.size(), 1u) << "'" << shown << "'";
        EXPECT_EQ(boxes.shown[0].first, "Please enter an integer.");
        EXPECT_EQ(boxes.shown[0].second & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_EQ(::GetFocus(), number) << "'" << shown << "': the field has the focus again";
        DWORD start = 1, end = 0;
        ::SendMessage(number, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                      reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(Text(number).size())) << "and its text selected";
    }
}

TEST_F(DataExchangeFunctionsTest, TheRangeIsCheckedOnlyWhenReadingBackWithTheLimitsInTheMessage) {
    const struct {
        const char16_t* text;
        bool ok;
    } cases[] = {
        {u"1", true}, {u"100000", true}, {u"0", false}, {u"100001", false}, {u"-5", false}};
    for (const auto& c : cases) {
        boxes.shown.clear();
        ::SetWindowText(number, c.text);
        EXPECT_EQ(form.UpdateData(TRUE) != FALSE, c.ok) << CString(c.text).ToUtf8();
        if (!c.ok) {
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].first, "Please enter an integer between 1 and 100000.");
            EXPECT_EQ(::GetFocus(), number);
        }
    }
    // Filling the controls checks nothing.
    boxes.shown.clear();
    form.m_nNumber = 0;
    EXPECT_TRUE(form.UpdateData(FALSE));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Text(number), u"0");
}

TEST_F(DataExchangeFunctionsTest, FillingWritesTheMembersIntoTheControls) {
    form.m_strCounter = u"3/250";
    form.m_nNumber = 42;
    EXPECT_TRUE(form.UpdateData(FALSE));
    EXPECT_EQ(Text(counter), u"3/250");
    EXPECT_EQ(Text(number), u"42");
    ::SetWindowText(counter, u"changed");
    ::SetWindowText(number, u" 17");
    EXPECT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ(form.m_strCounter.View(), u"changed");
    EXPECT_EQ(form.m_nNumber, 17);
}

// A dialog with a combo box exchanged by index and by text, and a length check.
class ComboForm : public ctltest::Parent {
public:
    int m_nIndex = -1;
    CString m_strFace;
    CString m_strName;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_CBIndex(pDX, 1010, m_nIndex);
        DDX_CBString(pDX, 1011, m_strFace);
        DDX_Text(pDX, 1012, m_strName);
        DDV_MaxChars(pDX, m_strName, 5);
    }
};

TEST_F(DataExchangeFunctionsTest, ComboBoxesExchangeTheirSelectionAndTextsTheirLength) {
    ComboForm dialog;
    ASSERT_TRUE(dialog.CreateEx(0, uitest::kTestClass, u"Dialog", WS_POPUP | WS_VISIBLE,
                                platform::WorkAreaRect(), nullptr, 0));
    HWND combos[2];
    for (int i = 0; i < 2; ++i) {
        combos[i] =
            ::CreateWindowEx(0, u"COMBOBOX", u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 4,
                             4 + 30 * i, 150, 100, dialog.m_hWnd, static_cast<UINT>(1010 + i));
        for (const char16_t* e : {u"Arial", u"Courier New", u"Tahoma"})
            ::SendMessage(combos[i], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    }
    const HWND name = ::CreateWindowEx(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE, 4, 80, 100, 20,
                                       dialog.m_hWnd, 1012);
    dialog.m_nIndex = 2;
    dialog.m_strFace = u"cour";
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(::SendMessage(combos[0], CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(::SendMessage(combos[1], CB_GETCURSEL, 0, 0), 1) << "selected by its beginning";

    ::SendMessage(combos[0], CB_SETCURSEL, 0, 0);
    ::SendMessage(combos[1], CB_SETCURSEL, 2, 0);
    ::SetWindowText(name, u"12345");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nIndex, 0);
    EXPECT_EQ(dialog.m_strFace.View(), u"Tahoma");

    boxes.shown.clear();
    ::SetWindowText(name, u"123456");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].first, "Please enter no more than 5 characters.");
    dialog.DestroyWindow();
}

}  // namespace
