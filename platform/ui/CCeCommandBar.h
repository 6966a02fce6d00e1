#pragma once
// The handheld's command bar: the strip at the bottom of the main frame that carries the menu
// bar (a button per pop-up of the menu, "File") and the adornments. A tap on a menu button
// opens its pop-up upwards over the work area; the frame is asked to update the items first
// (disabled ones are greyed), and the chosen item's command goes to the frame. The close
// adornment closes the frame.

#include <vector>

#include "platform/ui/CControlBar.h"
#include "platform/ui/CMenu.h"

// AddAdornments flags: a help button and an OK button beside the close box.
inline constexpr DWORD CMDBAR_HELP = 0x0001;
inline constexpr DWORD CMDBAR_OK = 0x0002;

inline constexpr char16_t kCommandBarClass[] = u"CommandBar";

class CCeCommandBar : public CControlBar {
    DECLARE_DYNAMIC(CCeCommandBar)
public:
    CCeCommandBar();
    ~CCeCommandBar() override;

    using CWnd::Create;
    // The bar as a child of pParentWnd: the window styles of dwStyle, and its bar styles
    // (CBRS_...) kept for GetBarStyle. It always sits at the bottom of the frame.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // The menu bar of menu resource nMenuID, with its buttons before button position wButton
    // (0xFFFF: after the others). Null when the bar has no window or the menu is missing.
    CMenu* InsertMenuBar(UINT nMenuID, WORD wButton = 0);
    // The close box at the right end, with help and OK buttons as dwFlags asks. FALSE
    // without a window.
    BOOL AddAdornments(DWORD dwFlags = 0);
    DWORD GetAdornments() const { return m_adornments; }

    int GetBarThickness() const override;
    bool AtBottom() const override { return true; }

    CMenu* GetMenu() { return m_menu.m_hMenu != nullptr ? &m_menu : nullptr; }
    // A menu button's rectangle in the bar's client coordinates; empty for none.
    CRect GetMenuButtonRect(int index) const;
    CRect GetCloseBoxRect() const;
    // Opens pop-up index of the menu bar, as a tap on its button does.
    void OpenMenu(int index);

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void LayoutButtons();

    CMenu m_menu;
    std::vector<CRect> m_buttons;
    DWORD m_adornments = 0;
    bool m_hasAdornments = false;
    int m_open = -1;  // the pop-up open now
    bool m_closePressed = false;
};

namespace platform {
void RegisterCommandBarClass();
}
