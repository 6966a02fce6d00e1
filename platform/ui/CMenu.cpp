#include "platform/ui/CMenu.h"

#include <algorithm>
#include <unordered_map>

#include "platform/ui/CWnd.h"
#include "platform/ui/MenuPopup.h"
#include "platform/ui/WindowApi.h"

namespace platform {

namespace {

struct MenuTables {
    std::unordered_map<HMENU, CMenu*> owners;
    std::vector<std::unique_ptr<MenuData>> loose;  // menus nobody owns, from Detach
};

MenuTables& Tables() {
    static MenuTables& tables = *new MenuTables;
    return tables;
}

void Fill(MenuData& data, const std::vector<MenuItemTemplate>& items) {
    for (const MenuItemTemplate& t : items) {
        MenuItem item;
        item.text = t.text;
        item.id = t.id;
        item.separator = t.separator;
        item.state = (t.grayed ? MF_GRAYED : 0) | (t.inactive ? MF_DISABLED : 0) |
                     (t.checked ? MF_CHECKED : 0);
        if (t.popup) {
            item.popup = std::make_unique<MenuData>();
            Fill(*item.popup, t.items);
        }
        data.items.push_back(std::move(item));
    }
}

MenuItem* FindById(MenuData& data, UINT id) {
    for (MenuItem& item : data.items) {
        if (!item.separator && !item.popup && item.id == id)
            return &item;
        if (item.popup) {
            if (MenuItem* inner = FindById(*item.popup, id))
                return inner;
        }
    }
    return nullptr;
}

}  // namespace

char16_t MenuMnemonic(std::u16string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        char16_t c = text[i + 1];
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        return c;
    }
    return 0;
}

}  // namespace platform

using platform::MenuData;
using platform::MenuItem;

CMenu::CMenu() = default;

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (hMenu == nullptr)
        return nullptr;
    auto& owners = platform::Tables().owners;
    if (const auto it = owners.find(hMenu); it != owners.end())
        return it->second;
    if (hMenu->wrapper == nullptr) {
        hMenu->wrapper = std::make_unique<CMenu>();
        hMenu->wrapper->m_hMenu = hMenu;
    }
    return hMenu->wrapper.get();
}

BOOL CMenu::LoadMenu(const ResourceId& name) {
    if (m_hMenu != nullptr)
        return FALSE;
    const MenuTemplate* t = AfxLoadMenuTemplate(name);
    if (t == nullptr)
        return FALSE;
    m_owned = std::make_unique<MenuData>();
    platform::Fill(*m_owned, t->items);
    m_hMenu = m_owned.get();
    platform::Tables().owners[m_hMenu] = this;
    return TRUE;
}

BOOL CMenu::CreateMenu() {
    if (m_hMenu != nullptr)
        return FALSE;
    m_owned = std::make_unique<MenuData>();
    m_hMenu = m_owned.get();
    platform::Tables().owners[m_hMenu] = this;
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() {
    return CreateMenu();
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr)
        return FALSE;
    auto& tables = platform::Tables();
    if (m_owned != nullptr) {
        tables.owners.erase(m_hMenu);
        m_owned.reset();
    } else {
        // A wrapper, or a menu given up by Detach and taken back by Attach.
        std::erase_if(tables.loose, [&](const auto& d) { return d.get() == m_hMenu; });
    }
    m_hMenu = nullptr;
    return TRUE;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (m_hMenu != nullptr || hMenu == nullptr)
        return FALSE;
    auto& tables = platform::Tables();
    const auto it = std::find_if(tables.loose.begin(), tables.loose.end(),
                                 [&](const auto& d) { return d.get() == hMenu; });
    if (it == tables.loose.end())
        return FALSE;
    m_owned = std::move(*it);
    tables.loose.erase(it);
    m_hMenu = hMenu;
    tables.owners[m_hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach() {
    const HMENU hMenu = m_hMenu;
    if (m_owned != nullptr) {
        auto& tables = platform::Tables();
        tables.owners.erase(hMenu);
        tables.loose.push_back(std::move(m_owned));
    }
    m_hMenu = nullptr;
    return hMenu;
}

MenuItem* CMenu::Find(UINT nID, UINT nFlags) const {
    if (m_hMenu == nullptr)
        return nullptr;
    if (nFlags & MF_BYPOSITION) {
        if (nID >= m_hMenu->items.size())
            return nullptr;
        return &m_hMenu->items[nID];
    }
    return platform::FindById(*m_hMenu, nID);
}

UINT CMenu::GetMenuItemCount() const {
    return m_hMenu != nullptr ? static_cast<UINT>(m_hMenu->items.size()) : static_cast<UINT>(-1);
}

UINT CMenu::GetMenuItemID(int nPos) const {
    const MenuItem* item = nPos < 0 ? nullptr : Find(static_cast<UINT>(nPos), MF_BYPOSITION);
    if (item == nullptr || item->popup)
        return static_cast<UINT>(-1);
    return item->separator ? 0 : item->id;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    const MenuItem* item = Find(nID, nFlags);
    if (item == nullptr)
        return static_cast<UINT>(-1);
    UINT state = item->state;
    if (item->separator)
        state |= MF_SEPARATOR;
    if (item->popup)
        state |= MF_POPUP | (static_cast<UINT>(item->popup->items.size()) << 8);
    return state;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    const MenuItem* item = Find(nIDItem, nFlags);
    rString = item != nullptr ? CString(item->text) : CString();
    return rString.GetLength();
}

CMenu* CMenu::GetSubMenu(int nPos) const {
    const MenuItem* item = nPos < 0 ? nullptr : Find(static_cast<UINT>(nPos), MF_BYPOSITION);
    return item != nullptr && item->popup ? FromHandle(item->popup.get()) : nullptr;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    MenuItem* item = Find(nIDEnableItem, nEnable);
    if (item == nullptr)
        return static_cast<UINT>(-1);
    const UINT before = item->state & (MF_GRAYED | MF_DISABLED);
    item->state =
        (item->state & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return before;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    MenuItem* item = Find(nIDCheckItem, nCheck);
    if (item == nullptr)
        return static_cast<UINT>(-1);
    const UINT before = item->state & MF_CHECKED;
    item->state = (item->state & ~MF_CHECKED) | (nCheck & MF_CHECKED);
    return before;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    if (m_hMenu == nullptr)
        return FALSE;
    MenuItem item;
    item.text = lpszNewItem != nullptr ? std::u16string(lpszNewItem) : std::u16string();
    item.separator = (nFlags & MF_SEPARATOR) != 0;
    item.state = nFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    if (nFlags & MF_POPUP) {
        auto* sub = reinterpret_cast<MenuData*>(nIDNewItem);
        auto& loose = platform::Tables().loose;
        const auto it =
            std::find_if(loose.begin(), loose.end(), [&](const auto& d) { return d.get() == sub; });
        if (it == loose.end())
            return FALSE;  // only a menu that nobody owns can become a pop-up
        item.popup = std::move(*it);
        loose.erase(it);
    } else {
        item.id = static_cast<UINT>(nIDNewItem);
    }
    m_hMenu->items.push_back(std::move(item));
    return TRUE;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT /*lpRect*/) {
    if (m_hMenu == nullptr)
        return FALSE;
    const HWND owner = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    if (owner != nullptr && !(nFlags & TPM_NONOTIFY))
        ::SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_hMenu),
                      MAKELPARAM(0, FALSE));
    const UINT command = platform::MenuPopup::Track(*this, CPoint(x, y), nFlags);
    if (command == 0)
        return FALSE;
    if (nFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (owner != nullptr)
        ::PostMessage(owner, WM_COMMAND, command, 0);
    return TRUE;
}

namespace platform {

CMenu* MsgMenu(WPARAM wParam) {
    return CMenu::FromHandle(reinterpret_cast<HMENU>(wParam));
}

}  // namespace platform
