#pragma once
// The list a combo box drops down: a window of its own above the dialog, which holds the
// stylus while it is open, so that a tap anywhere else closes it. It shows the combo box's
// entries with the highlighted one marked, and a scroll bar of its own when there are more
// entries than rows.

#include "platform/ui/CWnd.h"
#include "platform/ui/ScrollBarState.h"

namespace platform {

class ComboBoxControl;

class ComboListWindow : public CWnd {
public:
    explicit ComboListWindow(ComboBoxControl& combo) : m_combo(combo) {}

    // Shows the list at rect (screen coordinates) with rows rows, the highlighted entry in
    // view; the stylus that opened it may still be down (stylusDown), and lifting it outside
    // the list leaves the list open.
    void Open(const CRect& rect, int rows, bool stylusDown);
    void Close();
    // Scrolls so that the entry is in view.
    void ShowEntry(int index);
    int TopIndex() const { return m_bar.nPos; }
    bool HasScrollBar() const;
    // The entry under a client point, or -1.
    int EntryAt(CPoint point) const;

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);

    DECLARE_MESSAGE_MAP()

private:
    CRect ItemsRect() const;
    CRect BarRect() const;
    void ScrollTo(int top);

    ComboBoxControl& m_combo;
    ScrollBarState m_bar;
    int m_rows = 1;
    bool m_open = false;
    bool m_stylusDown = false;   // the stylus is down
    bool m_choosing = false;     // ... and went down on, or moved onto, the entries
    bool m_fromOpening = false;  // ... and is the tap that opened the list
    bool m_closing = false;
};

void RegisterComboListClass();

}  // namespace platform
