// The document / view start-up as programs run it: template, document, frame with its command
// bar and menu, form view from a dialog template; and what happens when the new document fails.

#include <string>
#include <vector>

#include "platform/ui/CCeCommandBar.h"
#include "platform/ui/CCommandLineInfo.h"
#include "platform/ui/CDocTemplate.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CFormView.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/MenuPopup.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using uitest::Item;
std::vector<std::string> g_log;
bool g_failNewDocument = false;

constexpr UINT kFontCommand = 32771;

class StartDoc : public CDocument {
    DECLARE_DYNCREATE(StartDoc)
public:
    ~StartDoc() override { g_log.push_back("~doc"); }
    BOOL OnNewDocument() override {
        if (!CDocument::OnNewDocument())
            return FALSE;
        g_log.push_back("new document");
        if (g_failNewDocument) {
            AfxMessageBox(u"Cannot open jokes data file.", MB_ICONSTOP);
            return FALSE;
        }
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(StartDoc, CDocument)

class StartFrame : public CFrameWnd {
    DECLARE_DYNCREATE(StartFrame)
public:
    CCeCommandBar m_wndCommandBar;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
            !m_wndCommandBar.InsertMenuBar(128, 0xFFFF) || !m_wndCommandBar.AddAdornments(0))
            return -1;
        m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY |
                                    CBRS_SIZE_FIXED);
        return 0;
    }
    void OnShowWindow(BOOL bShow, UINT) {
        if (bShow)
            g_log.push_back("frame shown");
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(StartFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(StartFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

class StartForm : public CFormView {
    DECLARE_DYNCREATE(StartForm)
public:
    StartForm() : CFormView(101) {}
    void OnInitialUpdate() override {
        g_log.push_back("initial update");
        CFormView::OnInitialUpdate();
        CRect view, bar;
        GetWindowRect(&view);
        GetParentFrame()->GetDlgItem(static_cast<int>(AFX_IDW_TOOLBAR))->GetWindowRect(&bar);
        m_viewRect = view;
        m_barRect = bar;
        GetParentFrame()->GetWindowText(m_title);
    }
    void OnUpdateFont(CCmdUI* pCmdUI) { pCmdUI->Enable(m_fontEnabled); }
    void OnFont() { g_log.push_back("font"); }
    static CRect m_viewRect, m_barRect;
    static CString m_title;
    static bool m_fontEnabled;
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(StartForm, CFormView)
BEGIN_MESSAGE_MAP(StartForm, CFormView)
ON_UPDATE_COMMAND_UI(kFontCommand, OnUpdateFont)
ON_COMMAND(kFontCommand, OnFont)
END_MESSAGE_MAP()
CRect StartForm::m_viewRect, StartForm::m_barRect;
CString StartForm::m_title;
bool StartForm::m_fontEnabled = true;

class StartApp : public CWinApp {
public:
    StartApp() : CWinApp(u"StartApp") {}
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(128, RUNTIME_CLASS(StartDoc),
                                              RUNTIME_CLASS(StartFrame), RUNTIME_CLASS(StartForm)));
        CCommandLineInfo cmdInfo;
        ParseCommandLine(cmdInfo);
        if (!ProcessShellCommand(cmdInfo))
            return FALSE;
        m_pMainWnd->ShowWindow(SW_SHOW);
        m_pMainWnd->UpdateWindow();
        return TRUE;
    }
    void OnAppAbout() { g_log.push_back("about"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(StartApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

// Boxes answered at once, their texts kept.
class KeptBoxes : public platform::IMessageBoxService {
public:
    KeptBoxes() { platform::SetMessageBoxService(this); }
    ~KeptBoxes() override { platform::SetMessageBoxService(nullptr); }
    int Show(const CString& text, const CString&, UINT type) override {
        texts.push_back(text.ToUtf8());
        return platform::DefaultButton(type);
    }
    std::vector<std::string> texts;
};

ResourceModule AppResources() {
    ResourceModule module;
    module.strings[128] = u"Parlonda Diver\n\nParlonda\n\n\nPRL.Document\nPRL Document";
    MenuTemplate menu;
    menu.name = ResourceId(128);
    MenuItemTemplate file;
    file.text = u"&File";
    file.popup = true;
    file.items = {{u"&About Parlonda Diver...", ID_APP_ABOUT},
                  {u"Font ...", kFontCommand},
                  {u"", 0, false, true},
                  {u"E&xit", ID_APP_EXIT}};
    menu.items.push_back(file);
    module.menus.push_back(menu);
    module.dialogs.push_back(
        uitest::Dialog(101, {Item(uitest::kBehaviourClass, 1000, 2, 11, 133, 104),
                             Item(uitest::kTestClass, 1001, 2, 118, 34, 14),
                             Item(uitest::kTestClass, 1005, 2, 2, 131, 8, WS_VISIBLE)}));
    return module;
}

char g_programName[] = "jokepad";
char* g_argv[] = {g_programName};

using FrameworkTest = uitest::UiTest;

TEST_F(FrameworkTest, AFailedNewDocumentEndsStartUpWithoutAWindow) {
    const ResourceModule module = AppResources();
    uitest::ScopedResources resources(module);
    KeptBoxes boxes;
    g_log.clear();
    g_failNewDocument = true;
    StartApp app;
    EXPECT_NE(AfxWinMain(1, g_argv), 0);
    g_failNewDocument = false;
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Cannot open jokes data file."});
    EXPECT_EQ(g_log, (std::vector<std::string>{"new document", "~doc"}))
        << "no initial update, the window never shown, the document gone";
    EXPECT_EQ(platform::WindowCount(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(FrameworkTest, StartUpMakesTheDocumentThenTheFrameAndItsFormThenShowsIt) {
    const ResourceModule module = AppResources();
    uitest::ScopedResources resources(module);
    Attach();
    g_log.clear();
    StartApp app;
    // No input: the program runs, then closes as if the user had asked to.
    EXPECT_EQ(AfxWinMain(1, g_argv), 0);
    EXPECT_EQ(g_log,
              (std::vector<std::string>{"new document", "initial update", "frame shown", "~doc"}));
    EXPECT_EQ(StartForm::m_title, CString(u"Parlonda Diver"));
    EXPECT_EQ(StartForm::m_viewRect, CRect(0, 26, 240, 294)) << "the work area";
    EXPECT_EQ(StartForm::m_barRect, CRect(0, 294, 240, 320)) << "the bottom row";
    EXPECT_TRUE(display.HasFrame());
}

TEST_F(FrameworkTest, AFormViewMakesTheTemplatesControlsInOrderInPixels) {
    const ResourceModule module = AppResources();
    uitest::ScopedResources resources(module);
    StartApp app;
    app.AddDocTemplate(new CSingleDocTemplate(128, RUNTIME_CLASS(StartDoc),
                                              RUNTIME_CLASS(StartFrame), RUNTIME_CLASS(StartForm)));
    app.OnFileNew();
    auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    CView* form = frame->GetActiveView();
    ASSERT_NE(form, nullptr);
    const struct {
        int id;
        CRect rect;  // client coordinates of the form
    } cases[] = {
        {1000, {4, 19, 237, 201}},  // 2, 11, 133 x 104 units
        {1001, {4, 207, 64, 232}},  // 2, 118, 34 x 14
        {1005, {4, 4, 233, 18}},    // 2, 2, 131 x 8
    };
    CWnd* child = form->GetWindow(GW_CHILD);
    for (const auto& c : cases) {
        ASSERT_NE(child, nullptr) << c.id;
        EXPECT_EQ(child->GetDlgCtrlID(), c.id) << "template order is z-order";
        CRect r;
        child->GetWindowRect(&r);
        form->ScreenToClient(&r);
        EXPECT_EQ(r, c.rect) << c.id;
        child = child->GetWindow(GW_HWNDNEXT);
    }
    EXPECT_NE(dynamic_cast<uitest::Behaviour*>(form->GetDlgItem(1000)), nullptr)
        << "a control made by class name has its class's behaviour";
    frame->DestroyWindow();
    platform::FlushDeferredDeletes();
}

TEST_F(FrameworkTest, ATemplateWithAnUnknownClassMakesNoForm) {
    ResourceModule module = AppResources();
    module.dialogs[0].items.push_back(Item(u"NoSuchClass", 2000, 0, 0, 10, 10));
    uitest::ScopedResources resources(module);
    KeptBoxes boxes;
    g_log.clear();
    StartApp app;
    EXPECT_NE(AfxWinMain(1, g_argv), 0);
    EXPECT_EQ(platform::WindowCount(), 0);
}

TEST_F(FrameworkTest, TheFileMenuOpensFromTheCommandBarAndSendsTheChosenCommand) {
    const ResourceModule module = AppResources();
    uitest::ScopedResources resources(module);
    uitest::RecordingDisplay screen;
    platform::Screen::Instance().AttachDisplay(&screen);
    StartApp app;
    ASSERT_TRUE(app.InitInstance());
    auto* frame = dynamic_cast<StartFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    CMenu* file = frame->m_wndCommandBar.GetMenu()->GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    CRect button = frame->m_wndCommandBar.GetMenuButtonRect(0);
    frame->m_wndCommandBar.ClientToScreen(&button);
    const CPoint tapFile = button.CenterPoint();

    // Font's handler disables it: after the menu opened its item is greyed, Enter on it does
    // nothing, and Escape closes the menu.
    StartForm::m_fontEnabled = false;
    g_log.clear();
    std::vector<std::string> seen;
    screen.onWait = [&] {
        platform::MenuPopup* menu = platform::MenuPopup::Current();
        if (menu == nullptr || !seen.empty())
            return;
        for (int i = 0; i < menu->ItemCount(); ++i)
            seen.push_back(menu->ItemText(i).ToUtf8() + (menu->ItemEnabled(i) ? "" : " (grey)"));
    };
    screen.input.QueueTap(tapFile.x, tapFile.y);
    screen.input.QueueKeyPress(VK_DOWN);
    screen.input.QueueKeyPress(VK_DOWN);
    screen.input.QueueKeyPress(VK_RETURN);
    screen.input.QueueKeyPress(VK_ESCAPE);
    platform::RunUntilIdle();
    EXPECT_EQ(seen, (std::vector<std::string>{"&About Parlonda Diver...", "Font ... (grey)",
                                              " (grey)", "E&xit"}));
    EXPECT_EQ(file->GetMenuState(kFontCommand, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_TRUE(g_log.empty());
    EXPECT_EQ(platform::MenuPopup::Current(), nullptr);

    // Enabled again, it is chosen by the keys; About is chosen by a tap on its item.
    StartForm::m_fontEnabled = true;
    screen.input.QueueTap(tapFile.x, tapFile.y);
    screen.input.QueueKeyPress(VK_DOWN);
    screen.input.QueueKeyPress(VK_DOWN);
    screen.input.QueueKeyPress(VK_RETURN);
    platform::RunUntilIdle();
    EXPECT_EQ(g_log, std::vector<std::string>{"font"});
    g_log.clear();
    bool tapped = false;
    screen.onWait = [&] {
        platform::MenuPopup* menu = platform::MenuPopup::Current();
        if (menu != nullptr && !tapped) {
            tapped = true;
            const CPoint about = menu->ItemRectOnScreen(0).CenterPoint();
            screen.input.QueueTap(about.x, about.y);
        }
    };
    screen.input.QueueTap(tapFile.x, tapFile.y);
    platform::RunUntilIdle();
    EXPECT_EQ(g_log, std::vector<std::string>{"about"});
    screen.onWait = nullptr;
    frame->DestroyWindow();
    platform::FlushDeferredDeletes();
}

}  // namespace
