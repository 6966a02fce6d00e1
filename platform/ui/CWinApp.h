#pragma once
// The application object: one per program, reachable from anywhere through AfxGetApp(), as
// the framework's code expects. It carries the per-user profile (CAppProfile), the main
// window, the message loop, the document templates, and the command routing that ends at the
// application.

#include <functional>
#include <memory>
#include <vector>

#include "platform/base/AppProfile.h"
#include "platform/base/CString.h"
#include "platform/ui/CCmdTarget.h"
#include "platform/ui/WinTypes.h"

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CWnd;

class CWinApp : public CCmdTarget, public CAppProfile {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The one application object registers itself; a second one at the same time is a
    // programming error.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // The main window; its destruction ends the message loop.
    CWnd* m_pMainWnd = nullptr;

    // Called once at start; FALSE ends the program at once.
    virtual BOOL InitInstance();
    // Called once when the message loop has ended; its result is the exit status.
    virtual int ExitInstance();

    // The message loop: each message goes through PreTranslateMessage and, unless that
    // consumed it, to its window. When the queue runs empty the idle work runs, the screen is
    // repainted and presented, and the loop waits for input. It ends when the main window is
    // destroyed (WM_QUIT); when the user closes the screen, or no input will ever come, the
    // main window is sent WM_CLOSE first. Returns ExitInstance's result.
    virtual int Run();
    // The chain every queued message goes through before it is dispatched: the message's
    // window, then each of its parents up to its top-level window, each with its own
    // PreTranslateMessage. TRUE when one of them consumed the message. Programs that filter
    // messages themselves override this and call it first.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work when the queue has run empty: updates the command user interface of the main
    // window's tree (WM_IDLEUPDATECMDUI). TRUE asks for more idle time (not used here).
    virtual BOOL OnIdle(LONG lCount);

    // The framework keeps no recent-file list here; the call is kept for the start-up order.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    // --- Documents ---
    // The application owns the template from here on (the framework's contract: the caller
    // passes a template made with new and never deletes it).
    void AddDocTemplate(CDocTemplate* pTemplate);
    void AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate);
    int GetDocTemplateCount() const { return static_cast<int>(m_templates.size()); }
    CDocTemplate* GetDocTemplate(int index) const;
    // Opens a file with the first template; null when it could not be opened.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);

    // The program's arguments after its own name, as AfxWinMain received them.
    void SetCommandLineArguments(std::vector<CString> arguments) {
        m_arguments = std::move(arguments);
    }
    const std::vector<CString>& GetCommandLineArguments() const { return m_arguments; }
    // Parses the arguments into rCmdInfo, one ParseParam call each.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out what the command line asked for: a new document (ID_FILE_NEW through the
    // message map, so an application whose map lacks it gets OnFileNew itself) or the file it
    // names. FALSE when that failed or left no main window.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // --- Standard commands, for the application's message map ---
    // A new document from the first template: the document, its frame and view, the
    // document's OnNewDocument, the view's OnInitialUpdate.
    void OnFileNew();
    // The platform has no file-open dialog; the command does nothing.
    void OnFileOpen();
    // Closes the main window, which ends the program.
    void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<CString> m_arguments;
    bool m_bRunning = false;
};

// The running application object, or null before it is constructed.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
// The chain of PreTranslateMessage calls for a message: the application's if there is one,
// else the windows' alone.
BOOL AfxPreTranslateMessage(MSG* pMsg);
// The framework's main routine: stores the arguments, runs InitInstance and, when that
// succeeds, the message loop. Returns the program's exit status: ExitInstance's result, or 1
// when there is no application object or InitInstance failed. Windows left at the end are
// destroyed, and everything waiting to be deleted is deleted.
int AfxWinMain(int argc, char** argv);

namespace platform {

// Walks a message's window and its parents up to its top-level window, each with its own
// PreTranslateMessage.
BOOL WalkPreTranslateTree(MSG* pMsg);

// Handles every message that is waiting, and the input the display has ready, without
// waiting; then paints and presents. Returns when nothing is left. For tests and scripted
// runs: post or queue input, run until idle, then read the windows and the pixels.
void RunUntilIdle();

// A loop nested in a handler, for modal dialogs and boxes: runs while keepRunning() says so.
// Returns false when it ended because the program is quitting (WM_QUIT, which it posts again
// for the outer loop) or because the user closed the screen or no input will come; the
// caller then ends its dialog as cancelled.
bool RunModalLoop(const std::function<bool()>& keepRunning);

}  // namespace platform
