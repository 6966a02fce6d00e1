#pragma once
// What the command line asks the program to do: CWinApp::ParseCommandLine fills it, one
// ParseParam per argument, and ProcessShellCommand carries it out.

#include "platform/base/CObject.h"
#include "platform/base/CString.h"

class CCommandLineInfo : public CObject {
public:
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;

    CString m_strFileName;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;

    // One argument; bFlag when it began with '-' or '/', which is then not part of pszParam.
    // The first argument that is no flag names the file to open; the flags "nologo",
    // "Unregister" / "unregserver", "p" and "dde" are the framework's.
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);
};
