#pragma once
// The data exchanges and checks that DoDataExchange calls for controls' values. Filling
// (m_bSaveAndValidate FALSE) writes the member into the control; reading back (TRUE) takes the
// control's value into the member, and a value that does not do tells the user in a message
// box and fails the exchange (CDataExchange::Fail), which gives the control the focus again.

#include "platform/base/CString.h"
#include "platform/ui/CDataExchange.h"

// The window text of control nIDC.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A decimal integer: blanks around it and a sign are allowed, nothing else; a number too large
// for an int is not one. "Please enter an integer." otherwise.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// Reading back only: "Please enter an integer between MIN and MAX." when value lies outside
// minVal ... maxVal (both included). Checks the control of the exchange just before it.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
// Reading back only: "Please enter no more than N characters." for a longer text.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// The selected entry's index of combo box nIDC (CB_ERR for none).
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// The selected entry's text of combo box nIDC; filling selects the first entry that begins
// with value.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);

namespace platform {

// The integer a control's text holds, by DDX_Text's rule; false when it holds none.
bool ParseDialogInteger(std::u16string_view text, int* value);

}  // namespace platform
