#pragma once
// The reader's windows inside the test process: the application object started as the
// program starts it, on a headless screen, with the test's jokes beside a program path in a
// folder of the test's own and a registry there. Taps are queued on the screen and handled
// until the program is idle, so a test can look at the windows and the pixels between two
// taps, or change a setting there.

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "JokepadResources.h"
#include "platform/base/ModulePath.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/ui/CDocTemplate.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/Screen.h"
#include "reader/ui/KippApp.h"
#include "reader/ui/KippAppView.h"
#include "tests/reader/ui/ReaderTestSupport.h"

namespace readertest {

class InProcessReader {
public:
    explicit InProcessReader(const std::vector<std::string>& jokes,
                             const ResourceModule& resources = JokepadResources()) {
        if (const char* old = std::getenv("JOKEPAD_REGISTRY"))
            m_oldRegistry = old;
        ::setenv("JOKEPAD_REGISTRY", (m_folder.Path() / "registry").c_str(), 1);
        MakeJokesFile(m_folder.Path() / "jokepad.dat", jokes, m_folder.Path());
        platform::SetModulePathForTesting(
            CString::FromUtf8((m_folder.Path() / "jokepad").string()));
        AfxSetResourceModule(&resources);
        platform::Screen::Instance().AttachDisplay(&display);
        m_app = std::make_unique<CKippApp>();
    }

    ~InProcessReader() {
        if (m_app->m_pMainWnd != nullptr && m_app->m_pMainWnd->m_hWnd != nullptr)
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        while (HWND top = ::GetTopWindow(nullptr))
            ::DestroyWindow(top);
        for (int i = 0; i < m_app->GetDocTemplateCount(); ++i)
            m_app->GetDocTemplate(i)->CloseAllDocuments(TRUE);
        platform::FlushDeferredDeletes();
        m_app.reset();
        platform::Screen::Instance().AttachDisplay(nullptr);
        AfxSetResourceModule(nullptr);
        platform::SetModulePathForTesting(std::nullopt);
        if (m_oldRegistry)
            ::setenv("JOKEPAD_REGISTRY", m_oldRegistry->c_str(), 1);
        else
            ::unsetenv("JOKEPAD_REGISTRY");
    }
    InProcessReader(const InProcessReader&) = delete;
    InProcessReader& operator=(const InProcessReader&) = delete;

    // The start-up, then everything it left to do, painted.
    bool Start() {
        const BOOL started = m_app->InitInstance();
        platform::RunUntilIdle();
        return started != FALSE;
    }

    CKippApp& App() { return *m_app; }
    CKippAppView& View() {
        auto* frame = dynamic_cast<CFrameWnd*>(m_app->m_pMainWnd);
        auto* view =
            frame != nullptr ? dynamic_cast<CKippAppView*>(frame->GetActiveView()) : nullptr;
        if (view == nullptr)
            throw std::runtime_error("the reader has no form");
        return *view;
    }
    CWnd& Control(int id) {
        CWnd* control = View().GetDlgItem(id);
        if (control == nullptr)
            throw std::runtime_error("the form has no control " + std::to_string(id));
        return *control;
    }
    // A control's rectangle in the form's client coordinates.
    CRect RectInForm(int id) {
        CRect rect;
        Control(id).GetWindowRect(&rect);
        View().ScreenToClient(&rect);
        return rect;
    }

    void Tap(CPoint screen) {
        display.QueueTap(screen.x, screen.y);
        platform::RunUntilIdle();
    }
    void Click(int id) {
        CRect rect;
        Control(id).GetWindowRect(&rect);
        Tap(rect.CenterPoint());
    }
    void Key(unsigned vk) {
        display.QueueKeyPress(vk);
        platform::RunUntilIdle();
    }
    void Type(const std::u16string& text) {
        display.QueueText(text);
        platform::RunUntilIdle();
    }

    platform::HeadlessDisplay display;

private:
    TempFolder m_folder;
    std::optional<std::string> m_oldRegistry;
    std::unique_ptr<CKippApp> m_app;
};

}  // namespace readertest
