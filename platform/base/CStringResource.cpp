// The CString members that read the program's string table. They live apart so that a program
// without resources links without the resource loader.

#include "platform/base/CString.h"
#include "platform/base/Resources.h"

BOOL CString::LoadString(UINT nID) {
    const auto text = AfxLoadStringResource(nID);
    if (!text) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(*text);
    return TRUE;
}

void CString::FormatIdV(UINT nFormatID, const std::vector<FormatArg>& args) {
    const auto format = AfxLoadStringResource(nFormatID);
    // The argument may be this very string, so format into a copy first.
    CString result;
    if (format)
        result.FormatV(*format, args);
    *this = std::move(result);
}
