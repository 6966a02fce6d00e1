// Message maps chained to their base classes, and the route a command takes from a frame:
// the active view, the view's document, the frame itself, the application. No display.

#include <string>
#include <vector>

#include "platform/ui/CCommandLineInfo.h"
#include "platform/ui/CDocTemplate.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CView.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

std::vector<std::string> g_calls;

// --- Chaining ---

class Base : public CWnd {
public:
    void OnHundred() { g_calls.push_back("Base::100"); }
    void OnHundredOne() { g_calls.push_back("Base::101"); }
    void OnSize(UINT, int cx, int cy) {
        g_calls.push_back("Base::size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CWnd)
ON_COMMAND(100, OnHundred)
ON_COMMAND(101, OnHundredOne)
ON_WM_SIZE()
END_MESSAGE_MAP()

class Derived : public Base {
public:
    void OnHundred() { g_calls.push_back("Derived::100"); }
    void OnHundredTwo() { g_calls.push_back("Derived::102"); }
    void OnMove(int x, int y) {
        g_calls.push_back("Derived::move " + std::to_string(x) + "," + std::to_string(y));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Derived, Base)
ON_COMMAND(100, OnHundred)
ON_COMMAND(102, OnHundredTwo)
ON_WM_MOVE()
END_MESSAGE_MAP()

using ChainTest = uitest::UiTest;

TEST_F(ChainTest, TheMostDerivedEntryWinsAndTheBaseAnswersTheRest) {
    Derived wnd;
    const struct {
        UINT id;
        BOOL handled;
        const char* call;
    } cases[] = {
        {100, TRUE, "Derived::100"},
        {101, TRUE, "Base::101"},
        {102, TRUE, "Derived::102"},
        {103, FALSE, nullptr},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        EXPECT_EQ(wnd.OnCmdMsg(c.id, CN_COMMAND, nullptr, nullptr), c.handled) << c.id;
        const std::vector<std::string> expected =
            c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{};
        EXPECT_EQ(g_calls, expected) << c.id;
    }
}

TEST_F(ChainTest, AHandlerQueryFindsTheHandlerWithoutCallingIt) {
    Derived wnd;
    g_calls.clear();
    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(wnd.OnCmdMsg(101, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &wnd);
    EXPECT_NE(info.pEntry, nullptr);
    AFX_CMDHANDLERINFO none;
    EXPECT_FALSE(wnd.OnCmdMsg(103, CN_COMMAND, nullptr, &none));
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(ChainTest, WindowMessagesReachHandlersOfEveryLevelWithTheirArguments) {
    Derived wnd;
    ASSERT_TRUE(wnd.CreateEx(0, uitest::kTestClass, u"", WS_POPUP, 10, 40, 50, 60, nullptr, 0));
    g_calls.clear();
    wnd.SetWindowPos(nullptr, 20, 50, 70, 80, SWP_NOZORDER);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"Derived::move 20,50", "Base::size 70x80"}));
}

// --- The route of a command ---

enum : UINT {
    kAll = 40001,  // view, document, frame and application have a handler
    kNoView,       // document, frame, application
    kFrameAndApp,  // frame, application
    kAppOnly,      // application
    kNobody,       // no handler
    kDisabled,     // the frame handles it, but its item is disabled
};

class RouteDoc : public CDocument {
    DECLARE_DYNCREATE(RouteDoc)
public:
    ~RouteDoc() override { g_calls.push_back("~doc"); }
    void OnRouted() { g_calls.push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RouteDoc, CDocument)
BEGIN_MESSAGE_MAP(RouteDoc, CDocument)
ON_COMMAND(kAll, OnRouted)
ON_COMMAND(kNoView, OnRouted)
END_MESSAGE_MAP()

class RouteView : public CView {
    DECLARE_DYNCREATE(RouteView)
public:
    ~RouteView() override { g_calls.push_back("~view"); }
    void OnDraw(CDC* pDC) override {
        CRect r;
        GetClientRect(&r);
        pDC->FillSolidRect(&r, RGB(255, 255, 255));
    }
    void OnRouted() { g_calls.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RouteView, CView)
BEGIN_MESSAGE_MAP(RouteView, CView)
ON_COMMAND(kAll, OnRouted)
END_MESSAGE_MAP()

class RouteFrame : public CFrameWnd {
    DECLARE_DYNCREATE(RouteFrame)
public:
    ~RouteFrame() override { g_calls.push_back("~frame"); }
    void OnRouted() { g_calls.push_back("frame"); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RouteFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(RouteFrame, CFrameWnd)
ON_COMMAND(kAll, OnRouted)
ON_COMMAND(kNoView, OnRouted)
ON_COMMAND(kFrameAndApp, OnRouted)
ON_COMMAND(kDisabled, OnRouted)
ON_UPDATE_COMMAND_UI(kDisabled, OnUpdateDisabled)
END_MESSAGE_MAP()

class RouteApp : public CWinApp {
public:
    RouteApp() : CWinApp(u"RouteApp") {}
    void OnRouted() { g_calls.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RouteApp, CWinApp)
ON_COMMAND(kAll, OnRouted)
ON_COMMAND(kNoView, OnRouted)
ON_COMMAND(kFrameAndApp, OnRouted)
ON_COMMAND(kAppOnly, OnRouted)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

using RoutingTest = uitest::UiTest;

TEST_F(RoutingTest, ACommandGoesToTheViewThenTheDocumentThenTheFrameThenTheApplication) {
    RouteApp app;
    app.AddDocTemplate(new CSingleDocTemplate(128, RUNTIME_CLASS(RouteDoc),
                                              RUNTIME_CLASS(RouteFrame), RUNTIME_CLASS(RouteView)));
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    auto* frame = dynamic_cast<RouteFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetActiveView(), nullptr);

    const struct {
        UINT id;
        const char* handler;  // null: nobody
    } cases[] = {
        {kAll, "view"},    {kNoView, "doc"},   {kFrameAndApp, "frame"},
        {kAppOnly, "app"}, {kNobody, nullptr},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        const BOOL handled = frame->OnCmdMsg(c.id, CN_COMMAND, nullptr, nullptr);
        EXPECT_EQ(handled, c.handler != nullptr ? TRUE : FALSE) << c.id;
        const std::vector<std::string> expected =
            c.handler ? std::vector<std::string>{c.handler} : std::vector<std::string>{};
        EXPECT_EQ(g_calls, expected) << c.id;

        // The same through WM_COMMAND, as a menu sends it.
        g_calls.clear();
        frame->SendMessage(WM_COMMAND, c.id, 0);
        EXPECT_EQ(g_calls, expected) << c.id << " as WM_COMMAND";
    }

    g_calls.clear();
    frame->SendMessage(WM_COMMAND, kDisabled, 0);
    EXPECT_TRUE(g_calls.empty()) << "a command whose item is disabled is not carried out";

    // Exit is the base application's: the frame closes, its view and document go with it.
    g_calls.clear();
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    platform::FlushDeferredDeletes();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"~view", "~frame", "~doc"}));
    MSG quit;
    ASSERT_TRUE(::PeekMessage(&quit, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(quit.message, WM_QUIT) << "the main window's end ends the loop";
}

}  // namespace
