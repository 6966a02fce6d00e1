#pragma once
// Menus: a menu bar of pop-ups, or a pop-up of items, loaded from the program's resources or
// built with AppendMenu. A CMenu that loaded or created a menu owns it; the pop-ups inside
// belong to their menu, and FromHandle gives a wrapper for them.

#include <memory>
#include <string>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/Resources.h"
#include "platform/ui/WinTypes.h"

class CMenu;
class CWnd;

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

namespace platform {

struct MenuItem {
    std::u16string text;  // '&' before the mnemonic, '\t' before a shortcut's text
    UINT id = 0;
    UINT state = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED
    bool separator = false;
    std::unique_ptr<MenuData> popup;
};

struct MenuData {
    std::vector<MenuItem> items;
    // A wrapper for FromHandle when no CMenu owns the menu (a pop-up inside another).
    std::unique_ptr<CMenu> wrapper;
};

// The mnemonic of an item's text: the character after a single '&', upper-cased; 0 if none.
char16_t MenuMnemonic(std::u16string_view text);

}  // namespace platform

class CMenu : public CObject {
public:
    CMenu();
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }  // NOLINT(google-explicit-constructor)
    // The owner or wrapper of a menu handle; null for none.
    static CMenu* FromHandle(HMENU hMenu);

    // FALSE when the resources have no such menu, or the object holds a menu already.
    BOOL LoadMenu(const ResourceId& name);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    // Takes ownership of a menu that nobody owns (one Detach gave up).
    BOOL Attach(HMENU hMenu);
    // Gives up the menu; it lives on until a menu takes it as a pop-up or DestroyMenu.
    HMENU Detach();

    UINT GetMenuItemCount() const;
    // The command of an item; 0 for a separator, -1 for a pop-up or a position outside.
    UINT GetMenuItemID(int nPos) const;
    // The item's MF_ flags (MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR), or
    // -1 when there is no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    // Return the item's previous state (MF_GRAYED / MF_CHECKED), or -1 for no such item.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    // MF_POPUP takes the menu handle in nIDNewItem, which must be one nobody owns.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);

    // Shows the pop-up at (x, y) in screen coordinates, aligned by nFlags, and lets the user
    // choose an item by tapping it, or with the arrow keys and Enter (or its mnemonic);
    // Escape or a tap outside closes it. pWnd first gets WM_INITMENUPOPUP to update the items,
    // then the WM_COMMAND of the chosen item (posted), unless TPM_RETURNCMD asks for the
    // command as the result instead. Returns TRUE (or the command) when an item was chosen.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

private:
    platform::MenuItem* Find(UINT nID, UINT nFlags) const;
    std::unique_ptr<platform::MenuData> m_owned;
};
