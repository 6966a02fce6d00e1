#include "reader/ui/FavoritesDlg.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CView.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/DataExchangeFunctions.h"
#include "reader/res/resource.h"
#include "reader/store/KippAppDoc.h"

BEGIN_MESSAGE_MAP(CFavoritesDlg, CDialog)
ON_BN_CLICKED(IDC_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_NEXT, OnNext)
ON_BN_CLICKED(IDC_DELETE, OnDelete)
END_MESSAGE_MAP()

CFavoritesDlg::CFavoritesDlg() : CDialog(IDD_FAVORITES) {}

CFavoritesDlg::~CFavoritesDlg() = default;

CKippAppDoc* CFavoritesDlg::Document() {
    const auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    CView* view = frame != nullptr ? frame->GetActiveView() : nullptr;
    return view != nullptr ? dynamic_cast<CKippAppDoc*>(view->GetDocument()) : nullptr;
}

int CFavoritesDlg::FavoriteCount() {
    const CKippAppDoc* doc = Document();
    return doc != nullptr ? static_cast<int>(doc->m_favorites.GetSize()) : 0;
}

void CFavoritesDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JOKE_VIEW, m_jokeView);
    DDX_Text(pDX, IDC_COUNTER, m_strCounter);
}

BOOL CFavoritesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nCurrent = 0;
    ShowFavorite();
    ArrangeControls();
    UpdateCounter();
    return TRUE;
}

void CFavoritesDlg::ShowFavorite() {
    const CKippAppDoc* doc = Document();
    if (doc == nullptr || doc->m_favorites.GetSize() == 0)
        m_jokeView.SetText(CString());
    else
        m_jokeView.SetText(doc->m_favorites[m_nCurrent].m_text);
    m_jokeView.Invalidate(TRUE);
}

void CFavoritesDlg::UpdateCounter() {
    const int count = FavoriteCount();
    CWnd* counter = GetDlgItem(IDC_COUNTER);
    if (count > 0) {
        m_strCounter.Format(u"%d/%d", m_nCurrent + 1, count);
        if (counter != nullptr)
            counter->ShowWindow(SW_SHOW);
    } else if (counter != nullptr) {
        counter->ShowWindow(SW_HIDE);
    }
    UpdateData(FALSE);
}

void CFavoritesDlg::ArrangeControls() {
    CRect client;
    GetClientRect(&client);
    const int W = client.Width();
    const int H = client.Height();
    const auto rectOf = [this](int nID) {
        CRect rect;
        if (const CWnd* control = GetDlgItem(nID)) {
            control->GetWindowRect(&rect);
            ScreenToClient(&rect);
        }
        return rect;
    };
    const auto move = [this](int nID, int x, int y, int cx, int cy, UINT nFlags) {
        if (CWnd* control = GetDlgItem(nID))
            control->SetWindowPos(nullptr, x, y, cx, cy, nFlags);
    };
    constexpr UINT kMove = SWP_NOSIZE | SWP_NOZORDER;
    const CSize counter = rectOf(IDC_COUNTER).Size();
    const CSize previous = rectOf(IDC_PREVIOUS).Size();
    const CSize next = rectOf(IDC_NEXT).Size();
    const int row = H - previous.cy - 4;

    move(IDC_COUNTER, 4, 4, 0, 0, kMove);
    move(IDC_PREVIOUS, 4, row, 0, 0, kMove);
    move(IDC_NEXT, previous.cx + 8, row, 0, 0, kMove);
    move(IDC_DELETE, previous.cx + next.cx + 12, row, 0, 0, kMove);
    // The buttons' row, where it now stands, is the view's lower bound.
    const int buttonsTop = rectOf(IDC_PREVIOUS).top;
    move(IDC_JOKE_VIEW, 4, counter.cy + 4, W - 8, buttonsTop - counter.cy - 8, SWP_NOZORDER);
}

void CFavoritesDlg::OnPrevious() {
    if (FavoriteCount() > 0) {
        m_nCurrent -= 1;
        if (m_nCurrent <= 0)
            m_nCurrent = 0;
    }
    ShowFavorite();
    UpdateCounter();
}

void CFavoritesDlg::OnNext() {
    const int count = FavoriteCount();
    if (count > 0) {
        m_nCurrent += 1;
        if (m_nCurrent >= count)
            m_nCurrent = count - 1;
    }
    ShowFavorite();
    UpdateCounter();
}

void CFavoritesDlg::OnDelete() {
    if (CKippAppDoc* doc = Document(); doc != nullptr && doc->m_favorites.GetSize() > 0) {
        doc->m_favorites.RemoveAt(m_nCurrent);
        const int count = static_cast<int>(doc->m_favorites.GetSize());
        if (count == 0)
            m_nCurrent = 0;
        else if (m_nCurrent >= count)
            m_nCurrent = count - 1;
    }
    ShowFavorite();
    UpdateCounter();
}
