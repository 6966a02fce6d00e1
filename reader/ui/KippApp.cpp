#include "reader/ui/KippApp.h"

#include "platform/ui/CCommandLineInfo.h"
#include "platform/ui/CDocTemplate.h"
#include "platform/ui/CWnd.h"
#include "reader/res/resource.h"
#include "reader/store/KippAppDoc.h"
#include "reader/ui/AboutDlg.h"
#include "reader/ui/KippAppView.h"
#include "reader/ui/MainFrame.h"

BEGIN_MESSAGE_MAP(CKippApp, CKippAppStore)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

namespace {

// The company key comes from the edition's strings, so that an edition sold under another
// name keeps its settings apart without a change to the code.
CString CompanyKey() {
    CString key;
    if (!key.LoadString(IDS_COMPANY_KEY))
        key = u"Parlonda";
    return key;
}

}  // namespace

CKippApp::CKippApp() = default;

CKippApp::~CKippApp() = default;

BOOL CKippApp::InitInstance() {
    SetRegistryKey(CompanyKey());
    LoadStdProfileSettings(0);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CKippAppDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CKippAppView)));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CKippApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
