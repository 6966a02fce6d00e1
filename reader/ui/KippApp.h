#pragma once
// The reader's application object: start-up ties the jokes document, the main frame and the
// joke browser form together on resource 128, and the File menu's About is handled here.

#include "reader/store/KippAppStore.h"

class CKippApp : public CKippAppStore {
public:
    // No application name: the framework names the program after its file, and keeps the
    // settings under that name.
    CKippApp();
    ~CKippApp() override;

    BOOL InitInstance() override;
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

// The program's one application object. It lives in a file of its own, which only the
// program links, so that tests can make application objects of their own.
extern CKippApp theApp;
