#pragma once
// The members of the application object that the store defines: where the program's files are,
// and the font settings. CKippApp (reader/ui) derives from this class, so the document reaches
// these members without knowing about windows.

#include "platform/base/CString.h"
#include "platform/ui/CWinApp.h"

class CKippAppStore : public CWinApp {
public:
    explicit CKippAppStore(LPCTSTR lpszAppName = nullptr) : CWinApp(lpszAppName) {}

    // The jokes data file and the favourites file lie beside the program, under its name.
    void GetDataFilePath(CString& path);
    void GetFavoritesFilePath(CString& path);

    // Settings/FontSize (points, default 10) and Settings/FaceName (default "Arial").
    int GetFontSize();
    void SetFontSize(int nSize);
    CString GetFaceName();
    void SetFaceName(const CString& strFace);
};

// The running application object; the program's one CKippApp.
CKippAppStore& KippApp();
