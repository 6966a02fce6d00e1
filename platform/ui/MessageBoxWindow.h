#pragma once
// The window of a message box on the screen (see ScreenServices.h). Its buttons are drawn by
// the box itself, so that boxes work before any control class is registered.

#include <vector>

#include "platform/ui/CWnd.h"

namespace platform {

class MessageBoxWindow : public CWnd {
public:
    MessageBoxWindow(const CString& text, UINT type);

    // Shows the box over owner's screen and runs it; returns the button chosen.
    int Run(const CString& caption);

    // The box's buttons in screen coordinates, and their answers: for tests and scripts.
    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    CRect ButtonRectOnScreen(int index) const;
    int ButtonAnswer(int index) const;
    // The open box, or null.
    static MessageBoxWindow* Current();

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();

    DECLARE_MESSAGE_MAP()

private:
    struct Button {
        int answer;
        const char16_t* label;
        CRect rect;  // client coordinates
    };
    void Layout();
    void Answer(int answer);
    int ButtonAt(CPoint point) const;

    CString m_text;
    UINT m_type;
    std::vector<Button> m_buttons;
    CRect m_textRect;
    CRect m_iconRect;
    int m_pressed = -1;
    int m_answer = 0;
    bool m_done = false;
};

// Draws the icon of a box type (MB_ICONSTOP ...) in a 32 x 32 square at r's corner.
void DrawMessageBoxIcon(CDC& dc, const CRect& r, UINT iconType);

}  // namespace platform
