#pragma once
// The window of an open pop-up menu. It stays on top of everything, takes the stylus (capture)
// and the keys while it is open, and runs its own loop until an item is chosen or the menu is
// cancelled: a tap on an enabled item chooses it, a tap outside cancels; Up and Down move the
// highlight, Enter chooses, Escape cancels, an item's mnemonic chooses it.

#include <vector>

#include "platform/ui/CMenu.h"
#include "platform/ui/CWnd.h"

namespace platform {

class MenuPopup : public CWnd {
public:
    // Shows the menu with its corner at anchor (screen coordinates) as flags align it, and
    // returns the command chosen, or 0.
    static UINT Track(CMenu& menu, CPoint anchor, UINT flags);
    // The menu open now, or null: for scripted runs and tests.
    static MenuPopup* Current();

    int ItemCount() const { return static_cast<int>(m_items.size()); }
    // In screen coordinates.
    CRect ItemRectOnScreen(int index) const;
    CString ItemText(int index) const;
    bool ItemEnabled(int index) const;
    int Selected() const { return m_selected; }

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);

    DECLARE_MESSAGE_MAP()

private:
    explicit MenuPopup(CMenu& menu);
    void Layout(CPoint anchor, UINT flags);
    int ItemAt(CPoint client) const;
    bool Choosable(int index) const;
    void Select(int index);
    void Choose(int index);
    void Cancel();
    void OnKey(const MSG& msg);

    CMenu& m_menu;
    std::vector<CRect> m_items;  // client coordinates
    int m_selected = -1;
    bool m_pressed = false;
    bool m_done = false;
    UINT m_result = 0;
};

}  // namespace platform
