#include "platform/gdi/TextMetrics.h"

namespace platform {

TEXTMETRIC MakeTextMetric(const FontMetrics& m, const LOGFONT* lf) {
    TEXTMETRIC tm{};
    tm.tmHeight = m.Height();
    tm.tmAscent = m.ascent;
    tm.tmDescent = m.descent;
    tm.tmInternalLeading = m.internalLeading;
    tm.tmExternalLeading = m.externalLeading;
    tm.tmAveCharWidth = m.aveCharWidth;
    tm.tmMaxCharWidth = m.maxCharWidth;
    tm.tmWeight = m.weight;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = u' ';
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = u'?';
    tm.tmBreakChar = u' ';
    tm.tmItalic = m.italic ? 1 : 0;
    tm.tmUnderlined = lf && lf->lfUnderline ? 1 : 0;
    tm.tmStruckOut = lf && lf->lfStrikeOut ? 1 : 0;
    // The platform sets this bit for variable-pitch fonts, despite its name.
    tm.tmPitchAndFamily = static_cast<BYTE>((m.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                            TMPF_TRUETYPE | (m.fixedPitch ? FF_MODERN : FF_SWISS));
    tm.tmCharSet = DEFAULT_CHARSET;
    return tm;
}

}  // namespace platform
