#include "reader/ui/SelectFontDlg.h"

#include "platform/gdi/EnumFontFamilies.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/DataExchangeFunctions.h"
#include "reader/res/resource.h"
#include "reader/store/KippAppStore.h"

BEGIN_MESSAGE_MAP(CSelectFontDlg, CDialog)
END_MESSAGE_MAP()

CSelectFontDlg::CSelectFontDlg(CWnd* pParent) : CDialog(IDD_SELECT_FONT, pParent) {}

CSelectFontDlg::~CSelectFontDlg() = default;

void CSelectFontDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPIN, m_spin);
    DDX_Control(pDX, IDC_FACE_NAME, m_combo);
    DDX_Text(pDX, IDC_NUMBER, m_nSize);
    DDV_MinMaxInt(pDX, m_nSize, kMinSize, kMaxSize);
}

int CSelectFontDlg::AddFaceNameProc(const LOGFONT* lpelf, const TEXTMETRIC* /*lpntm*/,
                                    DWORD /*fontType*/, LPARAM lParam) {
    auto* combo = reinterpret_cast<CComboBox*>(lParam);
    combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpelf->lfFaceName));
    return 1;
}

BOOL CSelectFontDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CKippAppStore& app = KippApp();
    m_strFaceName = app.GetFaceName();
    m_nOldSize = app.GetFontSize();
    {
        CClientDC dc(this);
        EnumFontFamilies(&dc, nullptr, &CSelectFontDlg::AddFaceNameProc,
                         reinterpret_cast<LPARAM>(&m_combo));
    }
    m_nSize = app.GetFontSize();
    const CString face = app.GetFaceName();
    const auto found = m_combo.SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(face.GetString()));
    if (found >= 0)
        m_combo.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(found));
    UpdateData(FALSE);

    m_spin.SendMessage(UDM_SETRANGE, 0, MAKELONG(kMaxSize, kMinSize));
    m_spin.SendMessage(UDM_SETPOS, 0, MAKELONG(static_cast<WORD>(m_nSize), 0));
    UDACCEL accel{2, 2};
    m_spin.SendMessage(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    return TRUE;
}

void CSelectFontDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    const auto selected = m_combo.SendMessage(CB_GETCURSEL);
    if (selected >= 0) {
        CString face;
        m_combo.GetLBText(static_cast<int>(selected), face);
        // Letter case counts: a family renamed only in case is still written.
        if (face != m_strFaceName || m_nSize != m_nOldSize) {
            CKippAppStore& app = KippApp();
            app.SetFaceName(face);
            app.SetFontSize(m_nSize);
            m_bChanged = TRUE;
        }
    }
    CDialog::OnOK();
}
