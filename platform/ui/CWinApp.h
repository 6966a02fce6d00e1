#pragma once
// The application object: one per program, reachable from anywhere through AfxGetApp(), as
// the framework's code expects. It carries the per-user profile (CAppProfile) and the
// command routing that ends at the application.

#include "platform/base/AppProfile.h"
#include "platform/base/CString.h"
#include "platform/ui/CCmdTarget.h"

class CWinApp : public CCmdTarget, public CAppProfile {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The one application object registers itself; a second one at the same time is a
    // programming error.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Called once at start; FALSE ends the program at once.
    virtual BOOL InitInstance();
    // Called once when the message loop has ended; its result is the exit status.
    virtual int ExitInstance();

    // The framework keeps no recent-file list here; the call is kept for the start-up order.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    DECLARE_MESSAGE_MAP()
};

// The running application object, or null before it is constructed.
CWinApp* AfxGetApp();
