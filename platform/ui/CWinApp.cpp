#include "platform/ui/CWinApp.h"

#include <cassert>
#include <cstdlib>

#include "platform/base/MessageBox.h"
#include "platform/ui/CCommandLineInfo.h"
#include "platform/ui/CDocTemplate.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowSystem.h"

namespace {

CWinApp* g_app = nullptr;
// AfxWinMain's application between its start and its end.
CWinApp* g_running = nullptr;

// What is left goes while the application object still lives: documents write what they keep
// in their destructors, and may need it.
void EndApplication(CWinApp* app) {
    platform::WindowSystem& sys = platform::Sys();
    const std::vector<HWND> remaining = sys.topLevels;
    for (HWND hWnd : remaining)
        ::DestroyWindow(hWnd);
    for (int i = 0; i < app->GetDocTemplateCount(); ++i)
        app->GetDocTemplate(i)->CloseAllDocuments(TRUE);
    platform::FlushDeferredDeletes();
}

// exit() during the run, as a windowing library calls it when its display goes away: the
// application object's destructor would come first and the documents would be closed without
// it. Nothing can be shown any more, so messages are answered as where there is no screen.
void EndApplicationAtExit() {
    CWinApp* app = g_running;
    if (app == nullptr || app != g_app)
        return;
    g_running = nullptr;
    platform::Screen::Instance().AttachDisplay(nullptr);
    platform::SetMessageBoxService(nullptr);
    EndApplication(app);
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

// The base application handles Exit: programs route ID_APP_EXIT here by chaining their map.
BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) : CAppProfile(lpszAppName) {
    assert(g_app == nullptr && "one application object at a time");
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    (void)nMaxMRU;
}

int CWinApp::Run() {
    platform::WindowSystem& sys = platform::Sys();
    sys.idleHook = [this] { OnIdle(0); };
    bool closeSent = false;
    for (;;) {
        MSG msg;
        if (::GetMessage(&msg)) {
            if (!PreTranslateMessage(&msg))
                ::DispatchMessage(&msg);
            continue;
        }
        if (msg.message == WM_QUIT)
            break;
        // The user closed the screen, or no input will ever come: close the main window as
        // File > Exit would, and end once it is gone (or if it refuses while input is over).
        const bool userClosed = sys.closeRequested;
        sys.closeRequested = false;
        if (m_pMainWnd == nullptr || m_pMainWnd->m_hWnd == nullptr)
            break;
        if (closeSent && !userClosed)
            break;
        closeSent = true;
        m_pMainWnd->SendMessage(WM_CLOSE);
    }
    sys.idleHook = nullptr;
    platform::FlushDeferredDeletes();
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    return platform::WalkPreTranslateTree(pMsg);
}

BOOL CWinApp::OnIdle(LONG /*lCount*/) {
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE);
    }
    return FALSE;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    AddDocTemplate(std::unique_ptr<CDocTemplate>(pTemplate));
}

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate) {
    if (pTemplate != nullptr)
        m_templates.push_back(std::move(pTemplate));
}

CDocTemplate* CWinApp::GetDocTemplate(int index) const {
    if (index < 0 || index >= static_cast<int>(m_templates.size()))
        return nullptr;
    return m_templates[static_cast<std::size_t>(index)].get();
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    CDocTemplate* pTemplate = GetDocTemplate(0);
    return pTemplate != nullptr ? pTemplate->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::OnFileNew() {
    if (CDocTemplate* pTemplate = GetDocTemplate(0))
        pTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    const std::size_t n = m_arguments.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CString& arg = m_arguments[i];
        const bool flag = !arg.IsEmpty() && (arg[0] == u'-' || arg[0] == u'/');
        const CString param = flag ? arg.Mid(1) : arg;
        rCmdInfo.ParseParam(param, flag ? TRUE : FALSE, i + 1 == n ? TRUE : FALSE);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            // Through the map, so an application that handles ID_FILE_NEW itself gets it.
            if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
                OnFileNew();
            return m_pMainWnd != nullptr ? TRUE : FALSE;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr ? TRUE : FALSE;
        case CCommandLineInfo::FileNothing:
        case CCommandLineInfo::AppUnregister:
            return TRUE;
        default:
            // Printing and DDE are not available on this platform.
            return FALSE;
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
    if (g_app != nullptr)
        return g_app->PreTranslateMessage(pMsg);
    return platform::WalkPreTranslateTree(pMsg);
}

int AfxWinMain(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    std::vector<CString> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(CString::FromUtf8(argv[i] != nullptr ? argv[i] : ""));
    app->SetCommandLineArguments(std::move(arguments));
    static const bool s_exitHandled = std::atexit(EndApplicationAtExit) == 0;
    (void)s_exitHandled;
    g_running = app;
    int status = 0;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr)
            app->m_pMainWnd->DestroyWindow();
        status = app->ExitInstance();
        if (status == 0)
            status = 1;
    } else {
        status = app->Run();
    }
    g_running = nullptr;
    EndApplication(app);
    return status;
}

namespace platform {

BOOL WalkPreTranslateTree(MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr;) {
        WindowRecord* rec = FindRecord(hWnd);
        if (rec == nullptr)
            break;
        if (CWnd* wnd = CWnd::FromHandle(hWnd); wnd != nullptr && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        // The window may be gone now; its record, kept until the handlers return, still
        // knows the parent.
        hWnd = rec->IsChild() ? rec->parent : nullptr;
    }
    return FALSE;
}

void RunUntilIdle() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Kept for the loop that owns the program's end.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!AfxPreTranslateMessage(&msg))
            ::DispatchMessage(&msg);
    }
    FlushDeferredDeletes();
}

bool RunModalLoop(const std::function<bool()>& keepRunning) {
    WindowSystem& sys = Sys();
    ++sys.modalDepth;
    bool completed = true;
    while (keepRunning()) {
        MSG msg;
        if (!::GetMessage(&msg)) {
            if (msg.message == WM_QUIT)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            completed = false;
            break;
        }
        if (!AfxPreTranslateMessage(&msg))
            ::DispatchMessage(&msg);
    }
    --sys.modalDepth;
    return completed;
}

}  // namespace platform
