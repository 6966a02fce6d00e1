#include "platform/ui/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL /*bLast*/) {
    const CString param = pszParam != nullptr ? CString(pszParam) : CString();
    if (bFlag) {
        if (param.CompareNoCase(u"nologo") == 0) {
            m_bShowSplash = FALSE;
        } else if (param.CompareNoCase(u"unregister") == 0 ||
                   param.CompareNoCase(u"unregserver") == 0) {
            m_nShellCommand = AppUnregister;
        } else if (param.CompareNoCase(u"p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (param.CompareNoCase(u"dde") == 0) {
            m_nShellCommand = FileDDE;
        } else if (param.CompareNoCase(u"embedding") == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        }
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}
