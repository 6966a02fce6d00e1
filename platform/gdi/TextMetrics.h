#pragma once
// A realised font's measures in the platform's TEXTMETRIC form. Internal.

#include "platform/gdi/FontEngine.h"
#include "platform/gdi/GdiStructs.h"

namespace platform {
// logFont, when given, supplies the underline and strike-out flags.
TEXTMETRIC MakeTextMetric(const FontMetrics& metrics, const LOGFONT* logFont);
}  // namespace platform
