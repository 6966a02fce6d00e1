#include "platform/ui/CWinApp.h"

#include <cassert>

namespace {
CWinApp* g_app = nullptr;
}

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
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

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) { (void)nMaxMRU; }

CWinApp* AfxGetApp() { return g_app; }
