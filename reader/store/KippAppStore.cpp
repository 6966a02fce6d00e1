#include "reader/store/KippAppStore.h"

#include <cassert>

#include "platform/base/ModulePath.h"

void CKippAppStore::GetDataFilePath(CString& path) {
    path = platform::ProgramFilePath(AfxGetModuleFileName(), u".dat");
}

void CKippAppStore::GetFavoritesFilePath(CString& path) {
    path = platform::ProgramFilePath(AfxGetModuleFileName(), u".fav");
}

int CKippAppStore::GetFontSize() {
    return static_cast<int>(GetProfileInt(u"Settings", u"FontSize", 10));
}

void CKippAppStore::SetFontSize(int nSize) { WriteProfileInt(u"Settings", u"FontSize", nSize); }

CString CKippAppStore::GetFaceName() { return GetProfileString(u"Settings", u"FaceName", u"Arial"); }

void CKippAppStore::SetFaceName(const CString& strFace) {
    WriteProfileString(u"Settings", u"FaceName", strFace);
}

CKippAppStore& KippApp() {
    auto* app = dynamic_cast<CKippAppStore*>(AfxGetApp());
    assert(app != nullptr && "the reader's application object exists for its whole run");
    return *app;
}
