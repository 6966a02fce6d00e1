#pragma once
// Message boxes. The box itself is a service: a window backend puts up a real one; without a
// window the default answers at once and writes the text to standard output, so that scripted
// runs and tests can see what the user would have been told.

#include "platform/base/CString.h"
#include "platform/base/Types.h"

// Buttons (the low four bits of the type).
inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_OKCANCEL = 0x01;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_TYPEMASK = 0x0F;
// Icons.
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;
inline constexpr UINT MB_ICONMASK = 0xF0;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

namespace platform {

class IMessageBoxService {
public:
    virtual ~IMessageBoxService() = default;
    // Shows text with caption and the buttons and icon of type; returns the button chosen.
    virtual int Show(const CString& text, const CString& caption, UINT type) = 0;
};

// Returns the service in place before (nullptr for the default); nullptr puts back the
// default.
IMessageBoxService* SetMessageBoxService(IMessageBoxService* service);

// The answer a box gets when nobody is there to choose: its first button, which is also its
// default button (IDOK, or IDYES for MB_YESNO).
int DefaultButton(UINT type);

}  // namespace platform

// The caption is the application's name.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string-table entry nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
