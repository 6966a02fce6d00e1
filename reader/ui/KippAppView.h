#pragma once
// The joke browser: the form on template 101 in the main frame. One joke at a time in the
// embedded joke view, its number and the count in the counter above it, and the buttons below:
// Previous, Next, Random, Add to Favorites, View Favorites. A tap on the counter opens number
// entry: a number field with a spin in the counter's place and the soft keyboard; Enter goes
// to that joke, a tap elsewhere closes it.
//
// The form owns the current index. It reads it from the setting LastJokeIndex once, when it is
// first shown, and writes it back every time it shows a joke. The index rules themselves are
// plain functions (IndexRules.h); the form maps events onto them.

#include "platform/ui/CEdit.h"
#include "platform/ui/CFormView.h"
#include "platform/ui/CSpinButtonCtrl.h"
#include "reader/res/resource.h"
#include "reader/ui/JokeView.h"

class CKippAppDoc;

class CKippAppView : public CFormView {
    DECLARE_DYNCREATE(CKippAppView)
protected:
    // Seeds the random generator with 0, so that Random gives the same jokes in every run.
    CKippAppView();

public:
    enum { IDD = IDD_JOKEPAD_FORM };

    ~CKippAppView() override;

    CKippAppDoc* GetDocument() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter in the number field or its spin goes to the number typed; a tap outside both
    // closes number entry (and still reaches what it tapped).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;

    // --- Steps the commands share ---
    // Hands joke m_nCurrent to the joke view and has it repainted.
    void ShowCurrentJoke();
    // The counter and the number field from the members; LastJokeIndex from m_nCurrent.
    void UpdateCounter();
    // Places the controls in pixels for the form's client area, with 4-pixel margins.
    void LayoutControls();
    void BeginNumberEntry();
    void EndNumberEntry();

    // --- Handlers ---
    void OnPrevious();
    void OnNext();
    void OnRandom();
    void OnCounterClicked();
    void OnNumberKillFocus();
    // Appends a copy of the joke on screen to the favourites; the same joke may stand there
    // any number of times.
    void OnAddToFavorites();
    // The Favorites dialog, or a message when there are no favourites.
    void OnViewFavorites();
    // The Select font dialog; a changed font shows the same joke again in it.
    void OnFont();
    // Leaves the menu item enabled, also during number entry.
    void OnUpdateFont(CCmdUI* pCmdUI);

    CEdit m_editNumber;
    CSpinButtonCtrl m_spinNumber;
    CJokeView m_jokeView;
    CString m_strCounter;
    int m_nNumber = 0;
    int m_nCurrent = 0;

    DECLARE_MESSAGE_MAP()

protected:
    // The jokes in the document now; every handler asks again.
    int JokeCount() const;
    // Steps 1 to 3 of ShowCurrentJoke: FALSE, reading nothing, when there is no such joke.
    BOOL RenderCurrentJoke();
    // An edition's form may leave number entry out; then these are null and the counter's
    // tap does nothing.
    CWnd* NumberField() const;
    CWnd* NumberSpin() const;
    // Moves control nID of the form, if it has one.
    void MoveControl(int nID, int x, int y, int cx, int cy, UINT nFlags);
};
