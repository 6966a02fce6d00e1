#include "platform/gdi/EnumFontFamilies.h"

#include <algorithm>

#include "platform/gdi/FontEngine.h"
#include "platform/gdi/TextMetrics.h"

int EnumFontFamilies(HDC /*hdc*/, LPCTSTR lpszFamily, FONTENUMPROC lpEnumFontFamProc,
                     LPARAM lParam) {
    if (!lpEnumFontFamProc)
        return 0;
    platform::FontEngine& engine = platform::FontEngine::Instance();
    const CString wanted = lpszFamily ? CString(lpszFamily) : CString();
    int result = 1;
    for (const std::string& family : engine.Families()) {
        const CString name = CString::FromUtf8(family);
        if (lpszFamily && name.CompareNoCase(wanted.View()) != 0)
            continue;

        LOGFONT lf{};
        const std::size_t length = std::min<std::size_t>(name.GetLength(), LF_FACESIZE - 1);
        std::copy_n(name.GetString(), length, lf.lfFaceName);
        platform::FontRequest request;
        request.family = family;
        request.height = -platform::FontEngine::kDefaultEmPixels;
        const auto face = engine.Open(request);
        if (!face)
            continue;
        const TEXTMETRIC tm = platform::MakeTextMetric(face->Metrics(), nullptr);
        lf.lfHeight = tm.tmHeight;
        lf.lfWeight = tm.tmWeight;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfOutPrecision = OUT_STROKE_PRECIS;
        lf.lfClipPrecision = CLIP_STROKE_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = static_cast<BYTE>(
            face->Metrics().fixedPitch ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS));
        result = lpEnumFontFamProc(&lf, &tm, TRUETYPE_FONTTYPE, lParam);
        if (result == 0 || lpszFamily)
            break;
    }
    return result;
}

int EnumFontFamilies(CDC* pDC, LPCTSTR lpszFamily, FONTENUMPROC lpEnumFontFamProc, LPARAM lParam) {
    return EnumFontFamilies(pDC ? pDC->GetSafeHdc() : nullptr, lpszFamily, lpEnumFontFamProc,
                            lParam);
}
