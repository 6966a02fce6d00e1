#pragma once
// A font: a LOGFONT as asked for, and the face the font engine found for it.

#include "platform/base/CString.h"
#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/GdiStructs.h"

class CDC;

class CFont : public CGdiObject {
public:
    // The face named in lfFaceName, or fontconfig's substitute for it ("System" and an empty
    // name are the system font's face). FALSE only when no font is installed at all.
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                    LPCTSTR lpszFacename);
    // nPointSize in tenths of a point, at 96 dots per inch: the em is nPointSize * 96 / 720
    // pixels, rounded (100, ten points, gives 13). Every other attribute is the default. pDC
    // is accepted for the framework's signature; every context has 96 dots per inch here.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    // lfHeight in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);

    int GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }
    // Extension: the family of the face actually used ("Liberation Sans" for "Arial" where
    // that is fontconfig's substitute); empty while the font is empty.
    CString GetFaceFamily() const;

    static CFont* FromHandle(HFONT hFont) {
        return dynamic_cast<CFont*>(CGdiObject::FromHandle(hFont));
    }
};

// The font engine's realisation of a LOGFONT (shared with the stock fonts).
struct FontResource;
namespace platform {
std::shared_ptr<FontResource> MakeFontResource(const LOGFONT& logFont);
}
