#include "reader/ui/KippAppView.h"

#include <cstdlib>

#include "platform/ui/DataExchangeFunctions.h"
#include "platform/ui/SoftInputPanel.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowMessageMap.h"
#include "reader/store/KippAppDoc.h"
#include "reader/store/KippAppStore.h"
#include "reader/ui/FavoritesDlg.h"
#include "reader/ui/IndexRules.h"
#include "reader/ui/SelectFontDlg.h"

IMPLEMENT_DYNCREATE(CKippAppView, CFormView)

BEGIN_MESSAGE_MAP(CKippAppView, CFormView)
ON_BN_CLICKED(IDC_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_NEXT, OnNext)
ON_BN_CLICKED(IDC_RANDOM, OnRandom)
ON_STN_CLICKED(IDC_COUNTER, OnCounterClicked)
ON_EN_KILLFOCUS(IDC_NUMBER, OnNumberKillFocus)
ON_BN_CLICKED(IDC_ADD_FAVORITE, OnAddToFavorites)
ON_BN_CLICKED(IDC_VIEW_FAVORITES, OnViewFavorites)
ON_UPDATE_COMMAND_UI(ID_FILE_FONT, OnUpdateFont)
ON_COMMAND(ID_FILE_FONT, OnFont)
END_MESSAGE_MAP()

namespace {

constexpr int kMinNumber = 1;
constexpr int kMaxNumber = 100000;
constexpr const char16_t* kIndexSection = u"Set";
constexpr const char16_t* kIndexEntry = u"LastJokeIndex";

void ShowSoftInputPanel(bool shown) {
    SIPINFO info{};
    info.cbSize = sizeof info;
    info.fdwFlags = shown ? SIPF_ON : 0;
    SHSipInfo(SPI_SETSIPINFO, 0, &info, 0);
}

// A control's window rectangle in its parent's client coordinates.
CRect RectInParent(const CWnd& control) {
    CRect rect;
    control.GetWindowRect(&rect);
    control.GetParent()->ScreenToClient(&rect);
    return rect;
}

}  // namespace

CKippAppView::CKippAppView() : CFormView(IDD) {
    std::srand(0);
}

CKippAppView::~CKippAppView() = default;

CKippAppDoc* CKippAppView::GetDocument() const {
    return dynamic_cast<CKippAppDoc*>(m_pDocument);
}

BOOL CKippAppView::PreCreateWindow(CREATESTRUCT& cs) {
    return CFormView::PreCreateWindow(cs);
}

int CKippAppView::JokeCount() const {
    const CKippAppDoc* doc = GetDocument();
    return doc != nullptr ? static_cast<int>(doc->m_jokes.GetSize()) : 0;
}

CWnd* CKippAppView::NumberField() const {
    return GetDlgItem(IDC_NUMBER);
}

CWnd* CKippAppView::NumberSpin() const {
    return GetDlgItem(IDC_SPIN);
}

void CKippAppView::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    const bool hasField = NumberField() != nullptr;
    if (hasField)
        DDX_Control(pDX, IDC_NUMBER, m_editNumber);
    if (NumberSpin() != nullptr)
        DDX_Control(pDX, IDC_SPIN, m_spinNumber);
    DDX_Control(pDX, IDC_JOKE_VIEW, m_jokeView);
    DDX_Text(pDX, IDC_COUNTER, m_strCounter);
    if (hasField) {
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, kMinNumber, kMaxNumber);
    }
}

void CKippAppView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    const int count = JokeCount();

    if (CWnd* field = NumberField()) {
        // The number field goes where the template put the counter, at the form's top edge.
        const CRect counter = RectInParent(*GetDlgItem(IDC_COUNTER));
        field->SetWindowPos(nullptr, counter.left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (CWnd* spin = NumberSpin()) {
            spin->SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(field->m_hWnd), 0);
            spin->SendMessage(UDM_SETRANGE32, kMinNumber, count);
        }
    }
    m_nNumber = 1;
    UpdateData(FALSE);

    // A stored index that names no joke (an edited setting, a shorter data file) starts at the
    // first joke.
    m_nCurrent = jokepad::StartIndex(
        static_cast<int>(KippApp().GetProfileInt(kIndexSection, kIndexEntry, 0)), count);
    RenderCurrentJoke();
    LayoutControls();
    UpdateCounter();
}

BOOL CKippAppView::RenderCurrentJoke() {
    const CKippAppDoc* doc = GetDocument();
    if (doc == nullptr || m_nCurrent < 0 || m_nCurrent >= doc->m_jokes.GetSize())
        return FALSE;
    const CJoke joke = doc->m_jokes.GetAt(m_nCurrent);
    m_jokeView.SetText(joke.m_text);
    return TRUE;
}

void CKippAppView::ShowCurrentJoke() {
    if (RenderCurrentJoke())
        m_jokeView.Invalidate(TRUE);
}

void CKippAppView::UpdateCounter() {
    const int count = JokeCount();
    m_strCounter = CString(jokepad::CounterText(m_nCurrent, count));
    UpdateData(FALSE);
    // With no jokes there is no index to keep, and the one stored may serve the next file.
    if (count == 0)
        return;
    // Every write of the settings waits for the disk; an index that is stored already need
    // not be written again to be there.
    // (-1, for an index not stored, names no joke.)
    CKippAppStore& app = KippApp();
    if (app.GetProfileInt(kIndexSection, kIndexEntry, -1) != static_cast<UINT>(m_nCurrent))
        app.WriteProfileInt(kIndexSection, kIndexEntry, m_nCurrent);
}

void CKippAppView::MoveControl(int nID, int x, int y, int cx, int cy, UINT nFlags) {
    if (CWnd* control = GetDlgItem(nID))
        control->SetWindowPos(nullptr, x, y, cx, cy, nFlags);
}

void CKippAppView::LayoutControls() {
    CRect client;
    GetClientRect(&client);
    const int W = client.Width();
    const int H = client.Height();
    const auto size = [this](int nID) {
        CRect rect;
        if (const CWnd* control = GetDlgItem(nID))
            control->GetWindowRect(&rect);
        return rect.Size();
    };
    constexpr UINT kMove = SWP_NOSIZE | SWP_NOZORDER;
    const CSize counter = size(IDC_COUNTER);
    const CSize previous = size(IDC_PREVIOUS);
    const CSize next = size(IDC_NEXT);
    const int upperRow = H - previous.cy - 34;

    MoveControl(IDC_COUNTER, 4, 4, 0, 0, kMove);
    MoveControl(IDC_ADD_FAVORITE, 4, H - 30, 0, 0, kMove);
    MoveControl(IDC_VIEW_FAVORITES, W - size(IDC_VIEW_FAVORITES).cx - 4, H - 30, 0, 0, kMove);
    MoveControl(IDC_PREVIOUS, 4, upperRow, 0, 0, kMove);
    MoveControl(IDC_NEXT, previous.cx + 8, upperRow, 0, 0, kMove);
    MoveControl(IDC_RANDOM, previous.cx + next.cx + 12, upperRow, 0, 0, kMove);
    MoveControl(IDC_JOKE_VIEW, 4, counter.cy + 4, W - 8, upperRow - counter.cy - 8, SWP_NOZORDER);
}

void CKippAppView::OnPrevious() {
    const int count = JokeCount();
    if (count == 0)
        return;
    m_nCurrent = jokepad::PreviousIndex(m_nCurrent, count);
    ShowCurrentJoke();
    UpdateCounter();
}

void CKippAppView::OnNext() {
    const int count = JokeCount();
    if (count == 0)
        return;
    m_nCurrent = jokepad::NextIndex(m_nCurrent, count);
    ShowCurrentJoke();
    UpdateCounter();
}

void CKippAppView::OnRandom() {
    const int count = JokeCount();
    if (count == 0)
        return;
    m_nCurrent = jokepad::RandomIndex(std::rand(), count);
    ShowCurrentJoke();
    UpdateCounter();
}

void CKippAppView::OnCounterClicked() {
    BeginNumberEntry();
}

void CKippAppView::OnNumberKillFocus() {}

void CKippAppView::BeginNumberEntry() {
    CWnd* field = NumberField();
    if (field == nullptr || JokeCount() == 0)
        return;
    if (CWnd* counter = GetDlgItem(IDC_COUNTER))
        counter->ShowWindow(SW_HIDE);
    field->ShowWindow(SW_SHOW);
    field->UpdateWindow();
    if (CWnd* spin = NumberSpin()) {
        spin->ShowWindow(SW_SHOW);
        spin->UpdateWindow();
    }
    field->SetFocus();
    ShowSoftInputPanel(true);
}

void CKippAppView::EndNumberEntry() {
    if (CWnd* field = NumberField())
        field->ShowWindow(SW_HIDE);
    if (CWnd* spin = NumberSpin())
        spin->ShowWindow(SW_HIDE);
    if (CWnd* counter = GetDlgItem(IDC_COUNTER)) {
        counter->ShowWindow(SW_SHOW);
        counter->UpdateWindow();
    }
    ShowSoftInputPanel(false);
}

BOOL CKippAppView::PreTranslateMessage(MSG* pMsg) {
    CWnd* field = NumberField();
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && field != nullptr) {
        const CWnd* focus = GetFocus();
        const int id = focus != nullptr && IsChild(focus) ? focus->GetDlgCtrlID() : 0;
        const int count = JokeCount();
        if ((id == IDC_NUMBER || id == IDC_SPIN) && count > 0) {
            // A number that does not do has been reported, and the field has the focus again.
            if (!UpdateData(TRUE))
                return TRUE;
            m_nCurrent = jokepad::GoToNumberIndex(m_nNumber, count);
            ShowCurrentJoke();
            UpdateCounter();
            EndNumberEntry();
            return TRUE;
        }
    }
    if (pMsg->message == WM_LBUTTONDOWN && field != nullptr && field->IsWindowVisible()) {
        // The point is in the client coordinates of the window tapped, the form or one of its
        // controls; the rectangles are in the form's.
        POINT point{GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)};
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
        const CWnd* spin = NumberSpin();
        const bool inField = RectInParent(*field).PtInRect(point);
        const bool inSpin = spin != nullptr && RectInParent(*spin).PtInRect(point);
        if (!inField && !inSpin)
            EndNumberEntry();
    }
    return CFormView::PreTranslateMessage(pMsg);
}

void CKippAppView::OnAddToFavorites() {
    CKippAppDoc* doc = GetDocument();
    // With no jokes there is nothing on screen to keep.
    if (doc == nullptr || m_nCurrent < 0 || m_nCurrent >= doc->m_jokes.GetSize())
        return;
    CJoke joke = doc->m_jokes.GetAt(m_nCurrent);
    doc->m_favorites.Add(joke);
}

void CKippAppView::OnViewFavorites() {
    const CKippAppDoc* doc = GetDocument();
    if (doc == nullptr || doc->m_favorites.GetSize() <= 0) {
        AfxMessageBox(IDS_NO_FAVORITES, MB_ICONHAND);
        return;
    }
    CFavoritesDlg dlg;
    dlg.DoModal();
}

void CKippAppView::OnFont() {
    CSelectFontDlg dlg(nullptr);
    if (dlg.DoModal() == IDOK && dlg.m_bChanged) {
        ShowCurrentJoke();
        UpdateCounter();
    }
}

void CKippAppView::OnUpdateFont(CCmdUI* /*pCmdUI*/) {}
