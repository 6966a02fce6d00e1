#include "platform/gdi/CFont.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/GdiResource.h"

namespace platform {
std::shared_ptr<FontResource> MakeFontResource(const LOGFONT& logFont) {
    LOGFONT lf = logFont;
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    FontRequest request;
    request.family = CString(std::u16string_view(lf.lfFaceName)).ToUtf8();
    request.height = lf.lfHeight;
    request.weight = lf.lfWeight;
    request.italic = lf.lfItalic != 0;
    auto face = FontEngine::Instance().Open(request);
    if (!face)
        return nullptr;
    return std::make_shared<FontResource>(lf, std::move(face));
}
}  // namespace platform

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    if (!lpLogFont)
        return FALSE;
    auto resource = platform::MakeFontResource(*lpLogFont);
    if (!resource)
        return FALSE;
    AttachResource(std::move(resource));
    return TRUE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCTSTR lpszFacename) {
    LOGFONT lf{nHeight,         nWidth,     nEscapement, nOrientation,  nWeight,        bItalic,
               bUnderline,      cStrikeOut, nCharSet,    nOutPrecision, nClipPrecision, nQuality,
               nPitchAndFamily, {}};
    if (lpszFacename) {
        const std::u16string_view face(lpszFacename);
        std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1),
                    lf.lfFaceName);
    }
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName) {
        const std::u16string_view face(lpszFaceName);
        std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1),
                    lf.lfFaceName);
    }
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* /*pDC*/) {
    if (!lpLogFont)
        return FALSE;
    LOGFONT lf = *lpLogFont;
    // Tenths of a point to pixels at 96 dpi, rounded half away from zero as the platform's
    // MulDiv does; negative, so that it is the em height.
    const long long tenths = std::llabs(static_cast<long long>(lf.lfHeight));
    lf.lfHeight = -static_cast<LONG>((tenths * 96 + 360) / 720);
    return CreateFontIndirect(&lf);
}

CString CFont::GetFaceFamily() const {
    const auto& resource = Resource();
    if (!resource || resource->kind != GdiKind::Font)
        return CString();
    const auto& face = static_cast<const FontResource&>(*resource).face;
    return face ? CString::FromUtf8(face->Family()) : CString();
}
