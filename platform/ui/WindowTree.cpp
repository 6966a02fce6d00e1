// Windows' creation and destruction, the tree, styles and text.

#include <algorithm>

#include "platform/ui/CWnd.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

WindowSystem& Sys() {
    // Never destroyed: windows still open at exit keep pointers into it, and their objects'
    // destructors must not find it gone.
    static WindowSystem& system = *new WindowSystem;
    return system;
}

WindowRecord* FindRecord(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    WindowSystem& sys = Sys();
    const auto it = sys.windows.find(hwnd);
    return it == sys.windows.end() ? nullptr : it->second.get();
}

LRESULT CallWindow(WindowRecord& rec, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowSystem& sys = Sys();
    ++sys.dispatchDepth;
    LRESULT result = 0;
    try {
        if (rec.chain.empty())
            result = ::DefWindowProc(rec.handle, message, wParam, lParam);
        else
            result = rec.chain.back()->WindowProc(message, wParam, lParam);
    } catch (...) {
        --sys.dispatchDepth;
        throw;
    }
    --sys.dispatchDepth;
    return result;
}

WindowRecord* TopLevelOf(WindowRecord* rec) {
    while (rec != nullptr && rec->IsChild())
        rec = FindRecord(rec->parent);
    return rec;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
    for (WindowRecord* rec = FindRecord(hwnd); rec != nullptr;
         rec = rec->IsChild() ? FindRecord(rec->parent) : nullptr) {
        if (rec->handle == ancestor)
            return true;
    }
    return false;
}

void CollectGarbage() {
    WindowSystem& sys = Sys();
    if (sys.dispatchDepth > 0)
        return;
    // Destructors may destroy more windows and so refill the lists.
    while (!sys.graveyard.empty() || !sys.deadRecords.empty()) {
        auto objects = std::move(sys.graveyard);
        auto records = std::move(sys.deadRecords);
        sys.graveyard.clear();
        sys.deadRecords.clear();
        objects.clear();
        records.clear();
    }
}

void AdoptWindowObject(std::unique_ptr<CWnd> object) {
    if (object != nullptr) {
        const CWnd* key = object.get();
        Sys().adopted[key] = std::move(object);
    }
}

void ReleaseWindowObject(CWnd* object) {
    WindowSystem& sys = Sys();
    const auto it = sys.adopted.find(object);
    if (it == sys.adopted.end())
        return;
    sys.graveyard.push_back(std::move(it->second));
    sys.adopted.erase(it);
}

void DeleteLater(std::unique_ptr<CObject> object) {
    if (object != nullptr)
        Sys().graveyard.push_back(std::move(object));
}

void FlushDeferredDeletes() {
    CollectGarbage();
}

int WindowCount() {
    return static_cast<int>(Sys().windows.size());
}

std::vector<HWND>& SiblingsOf(WindowRecord& rec) {
    if (rec.IsChild()) {
        if (WindowRecord* parent = FindRecord(rec.parent))
            return parent->children;
    }
    return Sys().topLevels;
}

namespace {

// Where a new or re-ordered top-level window goes: below the topmost windows unless it is one.
std::size_t TopInsertIndex(const std::vector<HWND>& topLevels, bool topmost) {
    if (topmost)
        return 0;
    std::size_t i = 0;
    while (i < topLevels.size()) {
        const WindowRecord* r = FindRecord(topLevels[i]);
        if (r == nullptr || (r->exStyle & WS_EX_TOPMOST) == 0)
            break;
        ++i;
    }
    return i;
}

HWND NewHandle() {
    WindowSystem& sys = Sys();
    const auto value = sys.nextHandle;
    sys.nextHandle += 4;
    return reinterpret_cast<HWND>(value);
}

void RemoveObject(std::vector<CWnd*>& list, const CWnd* object) {
    list.erase(std::remove(list.begin(), list.end(), object), list.end());
}

}  // namespace

void PlaceInZOrder(WindowRecord& rec, HWND insertAfter) {
    std::vector<HWND>& siblings = SiblingsOf(rec);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), rec.handle), siblings.end());
    if (!rec.IsChild()) {
        if (insertAfter == HWND_TOPMOST)
            rec.exStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST)
            rec.exStyle &= ~WS_EX_TOPMOST;
    }
    const bool topmost = !rec.IsChild() && (rec.exStyle & WS_EX_TOPMOST) != 0;
    std::size_t index = 0;
    if (insertAfter == HWND_BOTTOM) {
        index = siblings.size();
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
               insertAfter == HWND_NOTOPMOST) {
        index = rec.IsChild() ? 0 : TopInsertIndex(siblings, topmost);
    } else {
        const auto it = std::find(siblings.begin(), siblings.end(), insertAfter);
        index = it == siblings.end() ? 0 : static_cast<std::size_t>(it - siblings.begin()) + 1;
        if (!rec.IsChild())
            index = std::max(index, TopInsertIndex(siblings, topmost));
    }
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(index), rec.handle);
}

HWND CreateWindowFor(CWnd* object, CREATESTRUCT& cs) {
    WindowSystem& sys = Sys();
    const WindowClassInfo* cls = FindWindowClass(cs.lpszClass != nullptr ? cs.lpszClass : u"");
    if (cls == nullptr)
        return nullptr;
    const bool child = (cs.style & WS_CHILD) != 0;
    WindowRecord* parent = FindRecord(cs.hwndParent);
    if (child && (parent == nullptr || parent->destroying))
        return nullptr;
    if (object != nullptr && object->m_hWnd != nullptr)
        return nullptr;

    auto rec = std::make_unique<WindowRecord>();
    const HWND hwnd = NewHandle();
    rec->handle = hwnd;
    rec->className = cls->name;
    rec->backgroundColor = cls->backgroundColor;
    rec->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    rec->exStyle = cs.dwExStyle;
    rec->text = cs.lpszName != nullptr ? CString(cs.lpszName) : CString();
    if (child) {
        rec->id = cs.id;
        rec->parent = cs.hwndParent;
        const int x = cs.x == CW_USEDEFAULT ? 0 : cs.x;
        const int y = cs.y == CW_USEDEFAULT ? 0 : cs.y;
        const int cx = cs.cx == CW_USEDEFAULT ? 0 : std::max(cs.cx, 0);
        const int cy = cs.cy == CW_USEDEFAULT ? 0 : std::max(cs.cy, 0);
        rec->rect = CRect(x, y, x + cx, y + cy);
    } else {
        if (WindowRecord* ownerTop = TopLevelOf(parent))
            rec->owner = ownerTop->handle;
        if (cs.x == CW_USEDEFAULT || cs.cx == CW_USEDEFAULT)
            rec->rect = MainWindowRect();
        else
            rec->rect = CRect(cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0));
    }
    cs.x = rec->rect.left;
    cs.y = rec->rect.top;
    cs.cx = rec->rect.Width();
    cs.cy = rec->rect.Height();

    if (cls->makeBehaviour) {
        if (std::unique_ptr<CWnd> behaviour = cls->makeBehaviour()) {
            behaviour->m_hWnd = hwnd;
            rec->chain.push_back(behaviour.get());
            rec->owned.push_back(std::move(behaviour));
        }
    }
    if (object != nullptr) {
        object->m_hWnd = hwnd;
        rec->chain.push_back(object);
        rec->creator = object;
    }
    if (rec->chain.empty()) {
        // Every window has an object, so FromHandle never answers null for a live window.
        auto plain = std::make_unique<CWnd>();
        plain->m_hWnd = hwnd;
        rec->chain.push_back(plain.get());
        rec->owned.push_back(std::move(plain));
    }

    WindowRecord& r = *rec;
    sys.windows.emplace(hwnd, std::move(rec));
    if (child) {
        parent->children.push_back(hwnd);
    } else {
        sys.topLevels.insert(
            sys.topLevels.begin() + static_cast<std::ptrdiff_t>(TopInsertIndex(
                                        sys.topLevels, (r.exStyle & WS_EX_TOPMOST) != 0)),
            hwnd);
    }

    if (!::SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
        ::SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        ::DestroyWindow(hwnd);
        return nullptr;
    }
    if (WindowRecord* created = FindRecord(hwnd)) {
        const CRect client = ClientRectOnScreen(*created);
        ::SendMessage(
            hwnd, WM_SIZE, SIZE_RESTORED,
            MAKELPARAM(static_cast<WORD>(client.Width()), static_cast<WORD>(client.Height())));
        if (cs.style & WS_VISIBLE)
            ::ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

// Detaches an object from its window, as its destructor does.
void ForgetObject(CWnd* object) {
    WindowRecord* rec = FindRecord(object->m_hWnd);
    if (rec == nullptr)
        return;
    RemoveObject(rec->chain, object);
    RemoveObject(rec->attached, object);
    if (rec->creator == object)
        rec->creator = nullptr;
}

CREATESTRUCT MakeCreateStruct(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                              DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                              UINT nID, void* lpParam) {
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.id = nID;
    cs.lpCreateParams = lpParam;
    return cs;
}

}  // namespace platform

using platform::FindRecord;
using platform::Sys;
using platform::WindowRecord;

HWND CreateWindowEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, UINT nID,
                    void* lpParam) {
    CREATESTRUCT cs = platform::MakeCreateStruct(dwExStyle, lpszClassName, lpszWindowName, dwStyle,
                                                 x, y, nWidth, nHeight, hWndParent, nID, lpParam);
    return platform::CreateWindowFor(nullptr, cs);
}

BOOL IsWindow(HWND hWnd) {
    return FindRecord(hWnd) != nullptr ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND hWnd) {
    platform::WindowSystem& sys = Sys();
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr || rec->destroying)
        return FALSE;
    rec->destroying = true;
    const bool child = rec->IsChild();

    // Owned top-level windows go first, as on the platform.
    std::vector<HWND> owned;
    for (HWND top : sys.topLevels) {
        const WindowRecord* r = FindRecord(top);
        if (r != nullptr && r->owner == hWnd)
            owned.push_back(top);
    }
    for (HWND w : owned)
        ::DestroyWindow(w);

    if (platform::IsVisibleOnScreen(*rec))
        platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
    if (sys.capture != nullptr && platform::IsDescendant(hWnd, sys.capture))
        ::ReleaseCapture();
    if (sys.focus != nullptr && platform::IsDescendant(hWnd, sys.focus)) {
        const WindowRecord* parent = child ? FindRecord(rec->parent) : nullptr;
        if (parent != nullptr && !parent->destroying)
            ::SetFocus(parent->handle);
        else
            sys.focus = nullptr;
    }

    ::SendMessage(hWnd, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = rec->children;
    for (HWND c : children)
        ::DestroyWindow(c);
    ::SendMessage(hWnd, WM_NCDESTROY, 0, 0);

    // The record stays valid: it is only moved to the dead list below.
    std::vector<HWND>& siblings = platform::SiblingsOf(*rec);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hWnd), siblings.end());
    std::erase_if(sys.timers, [&](const platform::Timer& t) { return t.hwnd == hWnd; });
    if (sys.focus != nullptr && platform::IsDescendant(hWnd, sys.focus))
        sys.focus = nullptr;
    if (sys.capture == hWnd)
        sys.capture = nullptr;
    for (HWND top : sys.topLevels) {
        if (WindowRecord* r = FindRecord(top); r != nullptr && r->lastFocus == hWnd)
            r->lastFocus = nullptr;
    }

    const std::vector<CWnd*> chain = rec->chain;
    for (CWnd* o : rec->attached)
        o->m_hWnd = nullptr;
    for (CWnd* o : chain)
        o->m_hWnd = nullptr;
    rec->chain.clear();
    rec->attached.clear();
    rec->creator = nullptr;
    const bool wasActive = sys.active == hWnd;
    const HWND owner = rec->owner;
    auto node = sys.windows.extract(hWnd);
    sys.deadRecords.push_back(std::move(node.mapped()));

    if (wasActive) {
        sys.active = nullptr;
        platform::ActivateNext(owner);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        (*it)->PostNcDestroy();
    return TRUE;
}

HWND GetParent(HWND hWnd) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return nullptr;
    return rec->IsChild() ? rec->parent : rec->owner;
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return nullptr;
    switch (uCmd) {
        case GW_CHILD:
            return rec->children.empty() ? nullptr : rec->children.front();
        case GW_OWNER:
            return rec->IsChild() ? nullptr : rec->owner;
        default:
            break;
    }
    const std::vector<HWND>& siblings = platform::SiblingsOf(*rec);
    const auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    if (it == siblings.end())
        return nullptr;
    switch (uCmd) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return it + 1 == siblings.end() ? nullptr : *(it + 1);
        case GW_HWNDPREV:
            return it == siblings.begin() ? nullptr : *(it - 1);
        default:
            return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd) {
    if (hWnd == nullptr) {
        const auto& tops = Sys().topLevels;
        return tops.empty() ? nullptr : tops.front();
    }
    return ::GetWindow(hWnd, GW_CHILD);
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    const WindowRecord* rec = FindRecord(hDlg);
    if (rec == nullptr)
        return nullptr;
    for (HWND c : rec->children) {
        const WindowRecord* r = FindRecord(c);
        if (r != nullptr && r->id == static_cast<UINT>(nIDDlgItem))
            return c;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    const WindowRecord* rec = FindRecord(hWnd);
    return rec != nullptr && rec->IsChild() ? static_cast<int>(rec->id) : 0;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    return hWnd != hWndParent && platform::IsDescendant(hWndParent, hWnd) ? TRUE : FALSE;
}

namespace {

bool TakesTab(const WindowRecord& r) {
    return (r.style & WS_TABSTOP) && (r.style & WS_VISIBLE) && !(r.style & WS_DISABLED);
}

void CollectTabItems(const WindowRecord& parent, std::vector<HWND>& out) {
    for (HWND c : parent.children) {
        const WindowRecord* r = FindRecord(c);
        if (r == nullptr || !(r->style & WS_VISIBLE) || (r->style & WS_DISABLED))
            continue;
        if (r->exStyle & WS_EX_CONTROLPARENT)
            CollectTabItems(*r, out);
        else if (TakesTab(*r))
            out.push_back(c);
    }
}

}  // namespace

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    const WindowRecord* dlg = FindRecord(hDlg);
    if (dlg == nullptr)
        return nullptr;
    std::vector<HWND> items;
    CollectTabItems(*dlg, items);
    if (items.empty())
        return nullptr;
    const auto it = std::find(items.begin(), items.end(), hCtl);
    if (it == items.end())
        return bPrevious ? items.back() : items.front();
    const auto n = static_cast<std::ptrdiff_t>(items.size());
    const std::ptrdiff_t i = it - items.begin();
    return items[static_cast<std::size_t>((i + (bPrevious ? n - 1 : 1)) % n)];
}

LONG GetWindowLong(HWND hWnd, int nIndex) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return 0;
    switch (nIndex) {
        case GWL_STYLE:
            return static_cast<LONG>(rec->style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(rec->exStyle);
        case GWL_ID:
            return static_cast<LONG>(rec->id);
        case GWL_USERDATA:
            return rec->userData;
        default:
            return 0;
    }
}

LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong) {
    WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr)
        return 0;
    const LONG old = GetWindowLong(hWnd, nIndex);
    switch (nIndex) {
        case GWL_STYLE:
        case GWL_EXSTYLE: {
            const CRect before = platform::VisibleRectOnScreen(*rec);
            const CRect clientBefore = platform::ClientRectOnScreen(*rec);
            if (nIndex == GWL_STYLE)
                rec->style = static_cast<DWORD>(dwNewLong);
            else
                rec->exStyle = static_cast<DWORD>(dwNewLong);
            platform::InvalidateScreenRect(before);
            platform::InvalidateScreenRect(platform::VisibleRectOnScreen(*rec));
            const CRect clientAfter = platform::ClientRectOnScreen(*rec);
            if (clientAfter.Size() != clientBefore.Size()) {
                ::SendMessage(hWnd, WM_SIZE, SIZE_RESTORED,
                              MAKELPARAM(static_cast<WORD>(clientAfter.Width()),
                                         static_cast<WORD>(clientAfter.Height())));
            }
            break;
        }
        case GWL_ID:
            rec->id = static_cast<UINT>(dwNewLong);
            break;
        case GWL_USERDATA:
            rec->userData = dwNewLong;
            break;
        default:
            return 0;
    }
    return old;
}

int GetClassName(HWND hWnd, LPTSTR lpClassName, int nMaxCount) {
    const WindowRecord* rec = FindRecord(hWnd);
    if (rec == nullptr || lpClassName == nullptr || nMaxCount <= 0)
        return 0;
    const int n = std::min(static_cast<int>(rec->className.size()), nMaxCount - 1);
    std::copy_n(rec->className.begin(), n, lpClassName);
    lpClassName[n] = 0;
    return n;
}

BOOL SetWindowText(HWND hWnd, LPCTSTR lpszString) {
    if (!IsWindow(hWnd))
        return FALSE;
    return ::SendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString)) ? TRUE : FALSE;
}

int GetWindowText(HWND hWnd, LPTSTR lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0 || !IsWindow(hWnd))
        return 0;
    return static_cast<int>(::SendMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                          reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLength(HWND hWnd) {
    return static_cast<int>(::SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0));
}
