#include "reader/ui/JokeViewProbe.h"

#include <vector>

#include "platform/ui/CWnd.h"
#include "reader/ui/JokeView.h"
#include "reader/ui/SelectFontDlg.h"

std::optional<CString> JokeViewText(HWND window) {
    std::vector<HWND> pending;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        pending.push_back(child);
    while (!pending.empty()) {
        const HWND hwnd = pending.back();
        pending.pop_back();
        if (const auto* view = dynamic_cast<const CJokeView*>(CWnd::FromHandle(hwnd)))
            return view->GetText();
        for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            pending.push_back(child);
    }
    return std::nullopt;
}

bool IsSelectFontDialog(HWND window) {
    return dynamic_cast<const CSelectFontDlg*>(CWnd::FromHandle(window)) != nullptr;
}
