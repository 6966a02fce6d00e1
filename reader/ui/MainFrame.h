#pragma once
// The reader's main frame: the form fills it, and the command bar with the File menu runs
// along its bottom edge.

#include "platform/ui/CCeCommandBar.h"
#include "platform/ui/CFrameWnd.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame();

public:
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The base frame, then the command bar: the menu bar of menu 128 and the adornments.
    // -1 abandons the frame when any of them fails.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    CCeCommandBar m_wndCommandBar;

    DECLARE_MESSAGE_MAP()
};
