#pragma once
// The About dialog: the picture, the support contact, and the caption's OK button to close it.

#include "platform/ui/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    // Centred over its owner; TRUE lets the framework set the focus.
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};
