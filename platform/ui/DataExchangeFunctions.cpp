#include "platform/ui/DataExchangeFunctions.h"

#include <limits>
#include <string>

#include "platform/base/MessageBox.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/WindowApi.h"

namespace {

CString WindowText(HWND hWnd) {
    const int length = ::GetWindowTextLength(hWnd);
    if (length <= 0)
        return CString();
    std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
    const int n = ::GetWindowText(hWnd, buffer.data(), length + 1);
    return CString(buffer.data(), std::max(n, 0));
}

// Writes the text only when it differs, so that an unchanged control is not redrawn and keeps
// its caret.
void SetWindowTextIfChanged(HWND hWnd, const CString& text) {
    if (WindowText(hWnd).Compare(text.View()) != 0)
        ::SetWindowText(hWnd, text.GetString());
}

CString Utf16(const std::string& ascii) {
    return CString::FromUtf8(ascii);
}

[[noreturn]] void Refuse(CDataExchange* pDX, const CString& message) {
    AfxMessageBox(message.GetString(), MB_ICONEXCLAMATION);
    pDX->Fail();
}

}  // namespace

namespace platform {

bool ParseDialogInteger(std::u16string_view text, int* value) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    // The magnitude may reach one past INT_MAX for the most negative number.
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return false;
    }
    const long long result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max())
        return false;
    *value = static_cast<int>(result);
    return true;
}

}  // namespace platform

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWnd);
    else
        SetWindowTextIfChanged(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextIfChanged(hWnd, Utf16(std::to_string(value)));
        return;
    }
    int parsed = 0;
    if (!platform::ParseDialogInteger(WindowText(hWnd).View(), &parsed))
        Refuse(pDX, CString(u"Please enter an integer."));
    value = parsed;
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    Refuse(pDX, Utf16("Please enter an integer between " + std::to_string(minVal) + " and " +
                      std::to_string(maxVal) + "."));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (!pDX->m_bSaveAndValidate || value.GetLength() <= nChars)
        return;
    Refuse(pDX, Utf16("Please enter no more than " + std::to_string(nChars) + " characters."));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWnd, CB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hWnd, CB_SETCURSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(index)),
                      0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWnd);
        return;
    }
    ::SendMessage(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                  reinterpret_cast<LPARAM>(value.GetString()));
}
