#pragma once
// The Select font dialog: the font families the display can use, the saved one preselected, and
// the size in points (8 to 72) in a field with a spin. OK writes the face and the size to the
// settings only when a face is selected and one of them differs from what was saved, and then
// raises m_bChanged; the joke view reads both settings again the next time it is given a text.

#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CSpinButtonCtrl.h"

struct LOGFONT;
struct TEXTMETRIC;

class CSelectFontDlg : public CDialog {
public:
    static constexpr int kMinSize = 8;
    static constexpr int kMaxSize = 72;

    explicit CSelectFontDlg(CWnd* pParent = nullptr);
    ~CSelectFontDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    // Lists the families, selects the saved one and sets the size and its spin.
    BOOL OnInitDialog() override;
    // Keeps the dialog open while the size does not do; otherwise writes a changed choice.
    void OnOK() override;

    // The font-family enumeration's call-back: adds the family's name to the combo box that
    // lParam points to, and goes on.
    static int AddFaceNameProc(const LOGFONT* lpelf, const TEXTMETRIC* lpntm, DWORD fontType,
                               LPARAM lParam);

    BOOL m_bChanged = FALSE;
    CString m_strFaceName;
    int m_nOldSize = 0;
    CSpinButtonCtrl m_spin;
    CComboBox m_combo;
    int m_nSize = 0;

    DECLARE_MESSAGE_MAP()
};
