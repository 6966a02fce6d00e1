#pragma once
// The Favorites dialog: the favourites one at a time in a joke view, their number and count
// above, Previous, Next and Delete below. It works on the document's list itself, which it
// reaches anew (main window, its active view, that view's document) for every operation, so it
// holds neither the list nor a joke between them; a deletion is in the list at once and reaches
// the favourites file when the document is destroyed.

#include "platform/ui/CDialog.h"
#include "reader/ui/JokeView.h"

class CKippAppDoc;

class CFavoritesDlg : public CDialog {
public:
    CFavoritesDlg();
    ~CFavoritesDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    // Shows the first favourite, lays the controls out and sets the counter.
    BOOL OnInitDialog() override;

    void OnPrevious();
    void OnNext();
    // Deletes the shown favourite, without asking, and shows the one that took its place.
    void OnDelete();

    // Steps the handlers share.
    void ShowFavorite();
    void UpdateCounter();
    void ArrangeControls();

    int m_nCurrent = 0;
    CJokeView m_jokeView;
    CString m_strCounter;

    DECLARE_MESSAGE_MAP()

protected:
    // The favourites' document of the main frame's active view; null when there is none.
    static CKippAppDoc* Document();
    // The favourites there are now, 0 without a document.
    static int FavoriteCount();
};
