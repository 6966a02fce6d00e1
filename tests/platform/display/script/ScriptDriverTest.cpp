// Running scripts against a small program of test windows: a frame with the command bar's
// File menu, a button, a counter, fields, a combo box and a modal dialog. Each command must
// reach the program as the user's taps and keys would, each state line must read the windows
// as they are, and every way out must end the program as its File > Exit does.

#include "platform/display/script/ScriptDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/Resources.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/display/PngWriter.h"
#include "platform/ui/CCeCommandBar.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/DataExchangeFunctions.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowMessageMap.h"

namespace platform {
namespace {

constexpr UINT kFrameResource = 128;
constexpr UINT kOpenDialog = 200;
constexpr UINT kDisabledItem = 201;
constexpr int kDialogTemplate = 300;
constexpr int kDialogField = 10;
constexpr int kPress = 1001;
constexpr int kCounter = 1005;
constexpr int kHiddenField = 1012;
constexpr int kField = 1013;
constexpr int kCombo = 1014;

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

ResourceModule TestResources() {
    ResourceModule module;
    module.strings[kFrameResource] = u"Test frame";
    MenuItemTemplate file{.text = u"&File", .popup = true};
    file.items = {{.text = u"&Open dialog", .id = kOpenDialog},
                  {.text = u"Dis&abled", .id = kDisabledItem},
                  {.separator = true},
                  {.text = u"E&xit", .id = ID_APP_EXIT}};
    module.menus.push_back({.name = kFrameResource, .items = {file}});
    module.acceleratorTables.push_back({.name = kFrameResource,
                                        .entries = {{.key = 'Q',
                                                     .command = static_cast<WORD>(ID_APP_EXIT),
                                                     .virtKey = true,
                                                     .control = true}}});
    DialogTemplate dialog;
    dialog.name = kDialogTemplate;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    dialog.exStyle = WS_EX_CAPTIONOKBTN;
    dialog.cx = 137;
    dialog.cy = 150;
    dialog.caption = u"Test dialog";
    dialog.fontName = u"System";
    dialog.pointSize = 8;
    dialog.items = {{.controlClass = DialogControlClass::Edit,
                     .id = kDialogField,
                     .x = 7,
                     .y = 7,
                     .cx = 100,
                     .cy = 12,
                     .style = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL}};
    module.dialogs.push_back(dialog);
    return module;
}

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(kDialogTemplate) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kDialogField, m_text); }
    CString m_text;
};

class TestFrame : public CFrameWnd {
public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_bar.Create(this) ||
            m_bar.InsertMenuBar(kFrameResource, 0xFFFF) == nullptr || !m_bar.AddAdornments(0))
            return -1;
        const auto make = [this](const char16_t* cls, const char16_t* text, DWORD style,
                                 const CRect& r, int id) {
            return ::CreateWindowEx(0, cls, text, WS_CHILD | style, r.left, r.top, r.Width(),
                                    r.Height(), m_hWnd, static_cast<UINT>(id));
        };
        make(u"BUTTON", u"Press", WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 110, 35), kPress);
        make(u"STATIC", u"0", WS_VISIBLE, CRect(120, 10, 230, 30), kCounter);
        make(u"EDIT", u"hidden", WS_BORDER, CRect(10, 40, 110, 60), kHiddenField);
        make(u"EDIT", u"", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
             CRect(10, 70, 230, 90), kField);
        const HWND combo = make(u"COMBOBOX", u"", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                                CRect(10, 100, 230, 200), kCombo);
        for (const char16_t* entry : {u"Apple", u"Banana"})
            ::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        return 0;
    }
    void OnPress() {
        ++m_presses;
        SetDlgItemText(kCounter, CString::FromUtf8(std::to_string(m_presses)));
        Log().push_back("pressed");
        AfxMessageBox(u"Pressed.", MB_ICONSTOP);
    }
    void OnOpenDialog() {
        TestDialog dlg;
        const int result = dlg.DoModal();
        Log().push_back("dialog " + std::to_string(result) + " " + dlg.m_text.ToUtf8());
    }
    void OnUpdateDisabledItem(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnDisabledItem() { Log().push_back("disabled item chosen"); }
    void OnComboChange() {
        const auto index = SendDlgItemMessage(kCombo, CB_GETCURSEL);
        char16_t buffer[32]{};
        SendDlgItemMessage(kCombo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(buffer));
        Log().push_back("chose " + CString(buffer).ToUtf8());
    }
    void OnClose() {
        Log().push_back("close");
        CFrameWnd::OnClose();
    }

    CCeCommandBar m_bar;
    int m_presses = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_BN_CLICKED(kPress, OnPress)
ON_COMMAND(kOpenDialog, OnOpenDialog)
ON_COMMAND(kDisabledItem, OnDisabledItem)
ON_UPDATE_COMMAND_UI(kDisabledItem, OnUpdateDisabledItem)
ON_CBN_SELCHANGE(kCombo, OnComboChange)
END_MESSAGE_MAP()

struct Outcome {
    std::string out;
    std::string err;
    bool failed = false;
    bool windowsLeft = false;
};

class ScriptDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log().clear();
        AfxSetResourceModule(&m_resources);
    }
    void TearDown() override {
        Screen::Instance().AttachDisplay(nullptr);
        AfxSetResourceModule(nullptr);
    }

    // Runs the script against a new test frame until the program ends.
    Outcome Run(const std::string& script, ScriptDriver::Options options = {},
                TestFrame** frameOut = nullptr) {
        std::vector<ScriptCommand> commands;
        std::string error;
        EXPECT_TRUE(ParseScript(script, &commands, &error)) << error;
        options.programName = "test";
        if (options.watched.empty())
            options.watched = {{kCounter, "counter"}, {kHiddenField, "hidden"}, {kField, "field"}};
        std::ostringstream out, err;
        Outcome outcome;
        {
            CWinApp app(u"ScriptTest");
            ScriptDriver driver(std::move(commands), std::move(options), out, err);
            Screen::Instance().AttachDisplay(&driver);
            auto* frame = new TestFrame;  // deletes itself with its window
            AdoptWindowObject(std::unique_ptr<CWnd>(frame));
            EXPECT_TRUE(frame->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW));
            app.m_pMainWnd = frame;
            frame->ShowWindow(SW_SHOW);
            if (frameOut != nullptr)
                *frameOut = frame;
            app.Run();
            outcome.failed = driver.Failed();
            outcome.windowsLeft = ::GetTopWindow(nullptr) != nullptr;
            while (HWND top = ::GetTopWindow(nullptr))
                ::DestroyWindow(top);
            FlushDeferredDeletes();
            Screen::Instance().AttachDisplay(nullptr);
        }
        outcome.out = out.str();
        outcome.err = err.str();
        return outcome;
    }

    ResourceModule m_resources = TestResources();
};

TEST_F(ScriptDriverTest, CommandsReachTheProgramAsTapsAndKeys) {
    const Outcome o =
        Run("state\n"
            "click 1001\n"
            "state\n"
            "click 1013\n"
            "type salt & pepper\n"
            "key BACK\n"
            "key shift+a\n"
            "key HOME\n"
            "key DELETE\n"
            "state\n"
            "set 1013 42\n"
            "select 1014 banana\n"
            "select 1014 Banana\n");
    EXPECT_EQ(o.out,
              "window: Test frame\n"
              "counter: 0\n"
              "field: \n"
              "message: Pressed.\n"
              "window: Test frame\n"
              "counter: 1\n"
              "field: \n"
              "window: Test frame\n"
              "counter: 1\n"
              "field: alt & peppeA\n"
              // The last state, when the script has ended.
              "window: Test frame\n"
              "counter: 1\n"
              "field: 42\n");
    EXPECT_EQ(o.err, "");
    EXPECT_FALSE(o.failed);
    // A choice already made is not made again.
    EXPECT_EQ(Log(), (std::vector<std::string>{"pressed", "chose Banana", "close"}));
    EXPECT_FALSE(o.windowsLeft) << "the end of the script closes the program";
}

TEST_F(ScriptDriverTest, MenusAndModalDialogsAreFollowedIntoTheirLoops) {
    const Outcome o =
        Run("menu Open dialog\n"
            "state\n"
            "click 10\n"
            "type first\n"
            "ok\n"
            "menu Open dialog\n"
            "set 10 second\n"
            "cancel\n"
            "menu Open dialog\n"
            "set 10 third\n"
            "key RETURN\n"
            "state\n");
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"dialog 1 first", "dialog 2 ", "dialog 1 third", "close"}));
    EXPECT_EQ(o.out.substr(0, o.out.find('\n')), "window: Test dialog");
    EXPECT_NE(o.out.find("window: Test frame\ncounter: 0\nfield: \nwindow: Test frame"),
              std::string::npos)
        << o.out;
}

TEST_F(ScriptDriverTest, ACommandThatCannotBeCarriedOutStopsTheScriptAndSaysWhy) {
    const struct {
        const char* line;
        const char* says;
    } cases[] = {
        {"click 4242", "the active window has no control 4242"},
        {"click 1012", "control 1012 is hidden"},
        {"set 4242 x", "the active window has no control 4242"},
        {"select 1014 Cherry", "combo box 1014 has no entry 'Cherry'"},
        {"select 4242 Apple", "the active window has no combo box 4242"},
        {"ok", "no dialog with an ok button is open"},
        {"cancel", "no dialog is open"},
        {"menu Close", "the menu has no such item; it has Open dialog, Disabled, Exit"},
        {"menu Disabled", "the item is disabled"},
        {"shot /nonexistent-folder/screen.png", "/nonexistent-folder/screen.png"},
    };
    for (const auto& c : cases) {
        Log().clear();
        const Outcome o = Run(std::string("state\n") + c.line + "\nclick 1001\n");
        EXPECT_TRUE(o.failed) << c.line;
        EXPECT_EQ(o.err.rfind(std::string("test: script line 2: ") + c.line + ": ", 0), 0u)
            << c.line << " -> " << o.err;
        EXPECT_NE(o.err.find(c.says), std::string::npos) << c.line << " -> " << o.err;
        EXPECT_EQ(o.out.find("message:"), std::string::npos) << c.line << ": line 3 ran";
        EXPECT_EQ(Log(), std::vector<std::string>{"close"}) << c.line;
        EXPECT_FALSE(o.windowsLeft) << c.line;
    }
}

TEST_F(ScriptDriverTest, KeysReachAcceleratorsAndTheProgramEndsThere) {
    const Outcome o = Run("key ctrl+q\nclick 1001\n");
    EXPECT_EQ(Log(), std::vector<std::string>{"close"});
    EXPECT_EQ(o.out, "") << "the program ended before the script did";
    EXPECT_FALSE(o.failed);
}

TEST_F(ScriptDriverTest, ScreenshotsAreTheFramePresented) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("script-shot-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string during = (folder / "during.png").string();
    const std::string atEnd = (folder / "end.png").string();
    ScriptDriver::Options options;
    options.finalScreenshot = atEnd;
    HeadlessDisplay mirror;
    options.mirror = &mirror;
    const Outcome o = Run("shot " + during + "\nclick 1001\n", options);
    EXPECT_EQ(o.err, "");
    Image first, last;
    std::string error;
    ASSERT_TRUE(ReadPng(during, &first, &error)) << error;
    ASSERT_TRUE(ReadPng(atEnd, &last, &error)) << error;
    EXPECT_EQ(first.width, kScreenWidth);
    EXPECT_EQ(first.height, kScreenHeight);
    EXPECT_NE(first, last) << "the counter changed in between";
    ASSERT_TRUE(mirror.HasFrame());
    EXPECT_EQ(mirror.Frame(), last) << "the mirror shows what the script saw last";
    std::filesystem::remove_all(folder);
}

TEST_F(ScriptDriverTest, ClosingTheMirrorWindowEndsTheScript) {
    HeadlessDisplay mirror;
    mirror.QueueEvent(InputEvent::Quit());
    ScriptDriver::Options options;
    options.mirror = &mirror;
    const Outcome o = Run("click 1001\nclick 1001\n", options);
    EXPECT_EQ(Log(), std::vector<std::string>{"close"});
    EXPECT_EQ(o.out, "window: Test frame\ncounter: 0\nfield: \n");
    EXPECT_FALSE(o.windowsLeft);
}

TEST_F(ScriptDriverTest, TheProbeGivesTheFirstLineOfTheActiveWindowsText) {
    ScriptDriver::Options options;
    options.textProbe = [](HWND window) -> std::optional<CString> {
        if (::GetDlgItem(window, kPress) == nullptr)
            return std::nullopt;  // the dialog has no text
        return CString(u"First line\r\nsecond line");
    };
    const Outcome o = Run("menu Open dialog\nstate\ncancel\n", options);
    EXPECT_EQ(o.out,
              "window: Test dialog\n"
              "window: Test frame\n"
              "counter: 0\n"
              "field: \n"
              "text: First line\n");
}

TEST_F(ScriptDriverTest, AWatchedControlCanBeLimitedToSomeWindowsAndAComboShowsItsChoice) {
    // The dialog's field and the frame's field go by one label each, in their own window only.
    const auto inDialog = [](HWND active) { return ::GetDlgItem(active, kPress) == nullptr; };
    ScriptDriver::Options options;
    options.watched = {{kCombo, "fruit"},
                       {kDialogField, "size", inDialog},
                       {kField, "field", [&](HWND active) { return !inDialog(active); }},
                       {kDialogField, "never", [](HWND) { return false; }}};
    const Outcome o =
        Run("state\nselect 1014 Banana\nmenu Open dialog\nset 10 12\nstate\ncancel\n", options);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out,
              "window: Test frame\n"
              "fruit: \n"
              "field: \n"
              "window: Test dialog\n"
              "size: 12\n"
              "window: Test frame\n"
              "fruit: Banana\n"
              "field: \n");
}

}  // namespace
}  // namespace platform
