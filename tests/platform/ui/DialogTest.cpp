// Modal dialogs, message boxes on the screen and the wait cursor.

#include <string>
#include <vector>

#include "platform/ui/CDialog.h"
#include "platform/ui/MessageBoxWindow.h"
#include "platform/ui/ScreenServices.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using uitest::Item;

constexpr int kDialogId = 300;
constexpr UINT kEndWith42 = WM_USER + 5;

class TestDialog : public CDialog {
public:
    explicit TestDialog(CWnd* owner) : CDialog(kDialogId), m_owner(owner) {}
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_ownerEnabledWhileOpen = m_owner->IsWindowEnabled();
        GetWindowRect(&m_rect);
        if (m_endWith42)
            PostMessage(kEndWith42);
        return TRUE;
    }
    LRESULT OnEnd(WPARAM, LPARAM) {
        EndDialog(42);
        return 0;
    }
    CWnd* m_owner;
    bool m_endWith42 = false;
    BOOL m_ownerEnabledWhileOpen = TRUE;
    CRect m_rect;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_MESSAGE(kEndWith42, OnEnd)
END_MESSAGE_MAP()

ResourceModule DialogResources() {
    ResourceModule module;
    module.dialogs.push_back(uitest::Dialog(
        kDialogId,
        {Item(uitest::kTestClass, 10, 7, 16, 50, 12), Item(uitest::kTestClass, 11, 7, 34, 50, 12)},
        WS_EX_CAPTIONOKBTN, u"Select font"));
    return module;
}

using DialogTest = uitest::UiTest;

TEST_F(DialogTest, AModalDialogsLoopReturnsWhatEndedIt) {
    const ResourceModule module = DialogResources();
    uitest::ScopedResources resources(module);
    uitest::RecordingDisplay screen;
    platform::Screen::Instance().AttachDisplay(&screen);
    CWinApp app(u"DialogApp");
    auto owner = uitest::MakeTopLevel(platform::MainWindowRect());
    app.m_pMainWnd = owner.get();

    enum Input { None, Enter, Escape, TapOk, TapClose, EndDialog42 };
    const struct {
        const char* name;
        Input input;
        int result;
    } cases[] = {
        {"Enter", Enter, IDOK},
        {"Escape", Escape, IDCANCEL},
        {"ok in the top bar", TapOk, IDOK},
        {"close box", TapClose, IDCANCEL},
        {"EndDialog(42)", EndDialog42, 42},
        {"no input at all", None, IDCANCEL},
    };
    for (const auto& c : cases) {
        TestDialog dlg(owner.get());
        dlg.m_endWith42 = c.input == EndDialog42;
        int focusAtStart = 0;
        bool sent = false;
        screen.onWait = [&] {
            if (sent || dlg.m_hWnd == nullptr)
                return;
            sent = true;
            focusAtStart = ::GetDlgCtrlID(::GetFocus());
            const platform::Screen& s = platform::Screen::Instance();
            switch (c.input) {
                case Enter:
                    screen.input.QueueKeyPress(VK_RETURN);
                    break;
                case Escape:
                    screen.input.QueueKeyPress(VK_ESCAPE);
                    break;
                case TapOk:
                    screen.input.QueueTap(s.TopBarOkRect().CenterPoint().x,
                                          s.TopBarOkRect().CenterPoint().y);
                    break;
                case TapClose:
                    screen.input.QueueTap(s.TopBarCloseRect().CenterPoint().x,
                                          s.TopBarCloseRect().CenterPoint().y);
                    break;
                default:
                    break;
            }
        };
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(dlg.m_hWnd, nullptr) << c.name;
        EXPECT_FALSE(dlg.m_ownerEnabledWhileOpen) << c.name;
        EXPECT_TRUE(owner->IsWindowEnabled()) << c.name;
        EXPECT_EQ(CWnd::GetActiveWindow(), owner.get()) << c.name;
        EXPECT_EQ(dlg.m_rect, platform::WorkAreaRect()) << c.name << ": dialogs fill the work area";
        if (c.input != EndDialog42 && c.input != None) {
            EXPECT_EQ(focusAtStart, 10) << c.name << ": the first tab stop";
        }
        screen.onWait = nullptr;
        // Input that ran out ends the modal loop, not the program.
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            EXPECT_NE(msg.message, WM_QUIT);
    }
    app.m_pMainWnd = nullptr;
}

TEST_F(DialogTest, TabMovesTheFocusAmongTheControlsThatTakeIt) {
    const ResourceModule module = DialogResources();
    uitest::ScopedResources resources(module);
    uitest::RecordingDisplay screen;
    platform::Screen::Instance().AttachDisplay(&screen);
    auto owner = uitest::MakeTopLevel(platform::MainWindowRect());
    TestDialog dlg(owner.get());
    std::vector<int> focus;
    int step = 0;
    screen.onWait = [&] {
        if (dlg.m_hWnd == nullptr || screen.input.PendingEventCount() > 0)
            return;
        focus.push_back(::GetDlgCtrlID(::GetFocus()));
        if (++step < 4)
            screen.input.QueueKeyPress(VK_TAB, {.shift = step == 3});
        else
            screen.input.QueueKeyPress(VK_ESCAPE);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(focus, (std::vector<int>{10, 11, 10, 11}));
}

// --- Message boxes ---

class MessageBoxTest : public uitest::UiTest {
protected:
    void SetUp() override {
        uitest::UiTest::SetUp();
        platform::UseScreenMessageBoxes(true);
        platform::Screen::Instance().AttachDisplay(&screen);
    }
    void TearDown() override {
        platform::UseScreenMessageBoxes(false);
        uitest::UiTest::TearDown();
    }
    uitest::RecordingDisplay screen;
};

TEST_F(MessageBoxTest, TheTextAndTheStopIconAreOnTheScreenUntilTheUserAnswers) {
    auto owner = uitest::MakeTopLevel(platform::MainWindowRect());
    bool answered = false;
    CRect box;
    bool ownerDisabled = false;
    const std::size_t framesBefore = screen.frames.size();
    screen.onWait = [&] {
        // The user answers what the screen has shown.
        platform::MessageBoxWindow* open = platform::MessageBoxWindow::Current();
        if (open == nullptr || answered || screen.frames.size() == framesBefore)
            return;
        answered = true;
        open->GetWindowRect(&box);
        ownerDisabled = !owner->IsWindowEnabled();
        const CPoint ok = open->ButtonRectOnScreen(0).CenterPoint();
        screen.input.QueueTap(ok.x, ok.y);
    };
    EXPECT_EQ(AfxMessageBox(u"Cannot open jokes data file.", MB_ICONSTOP), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner->IsWindowEnabled());
    ASSERT_FALSE(screen.frames.empty());
    ASSERT_FALSE(box.IsRectEmpty());
    EXPECT_TRUE(platform::WorkAreaRect().PtInRect(box.TopLeft()));

    // The last frame presented while the box was up: the stop sign's red in its corner, the
    // text's ink to the right of it.
    const platform::Image& frame = screen.frames.back();
    int red = 0, ink = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const std::uint32_t p = frame.At(x, y);
            red += p == 0xC00000;
            ink += x > box.left + 48 && ((p >> 16) & 0xFF) < 96 && ((p >> 8) & 0xFF) < 96 &&
                   (p & 0xFF) < 96;
        }
    }
    EXPECT_GT(red, 300) << "the stop sign";
    EXPECT_GT(ink, 80) << "the text";
    EXPECT_EQ(platform::MessageBoxWindow::Current(), nullptr);
}

TEST_F(MessageBoxTest, EachKeyGivesItsAnswer) {
    const struct {
        UINT type;
        UINT key;  // 0: no input at all
        int answer;
    } cases[] = {
        {MB_OK, VK_RETURN, IDOK},       {MB_OK, VK_ESCAPE, IDOK},
        {MB_OKCANCEL, VK_RETURN, IDOK}, {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},
        {MB_YESNO, VK_RETURN, IDYES},   {MB_OK | MB_ICONSTOP, 0, IDOK},
        {MB_YESNO, 0, IDYES},
    };
    for (const auto& c : cases) {
        bool sent = false;
        screen.onWait = [&] {
            if (c.key != 0 && !sent && platform::MessageBoxWindow::Current() != nullptr) {
                sent = true;
                screen.input.QueueKeyPress(c.key);
            }
        };
        EXPECT_EQ(AfxMessageBox(u"Question?", c.type), c.answer)
            << "type " << c.type << " key " << c.key;
        screen.onWait = nullptr;
    }
}

TEST_F(MessageBoxTest, WaitCursorShowsAnHourglassUntilItEnds) {
    platform::UseScreenWaitCursor(true);
    auto owner = uitest::MakeTopLevel(platform::MainWindowRect());
    platform::RunUntilIdle();
    const std::size_t before = screen.frames.size();
    auto darkAtCentre = [](const platform::Image& image) {
        int n = 0;
        for (int y = 150; y < 170; ++y)
            for (int x = 110; x < 130; ++x)
                n += image.At(x, y) == 0x000000;
        return n;
    };
    {
        CWaitCursor wait;
        ASSERT_EQ(screen.frames.size(), before + 1) << "shown at once, before the work";
        EXPECT_GT(darkAtCentre(screen.frames.back()), 20);
    }
    platform::RunUntilIdle();
    ASSERT_GT(screen.frames.size(), before + 1);
    EXPECT_EQ(darkAtCentre(screen.frames.back()), 0);
    platform::UseScreenWaitCursor(false);
}

}  // namespace
