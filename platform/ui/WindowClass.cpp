#include "platform/ui/WindowClass.h"

#include <algorithm>
#include <vector>

#include "platform/ui/CWnd.h"

namespace platform {

namespace {

char16_t FoldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

struct ClassTable {
    std::vector<std::unique_ptr<WindowClassInfo>> classes;
    bool standardRegistered = false;
};

ClassTable& Table() {
    static ClassTable table;
    return table;
}

WindowClassInfo* FindIn(ClassTable& table, std::u16string_view name) {
    for (auto& c : table.classes) {
        if (SameName(c->name, name))
            return c.get();
    }
    return nullptr;
}

void EnsureStandard() {
    ClassTable& table = Table();
    if (!table.standardRegistered) {
        table.standardRegistered = true;
        RegisterStandardClasses();
    }
}

}  // namespace

BOOL RegisterWindowClass(WindowClassInfo info) {
    EnsureStandard();
    ClassTable& table = Table();
    if (info.name.empty() || FindIn(table, info.name) != nullptr)
        return FALSE;
    // Each class lives in its own allocation, so pointers handed out stay valid as others come.
    table.classes.push_back(std::make_unique<WindowClassInfo>(std::move(info)));
    return TRUE;
}

const WindowClassInfo* FindWindowClass(std::u16string_view name) {
    EnsureStandard();
    return FindIn(Table(), name);
}

BOOL UnregisterWindowClass(std::u16string_view name) {
    ClassTable& table = Table();
    const auto it = std::find_if(table.classes.begin(), table.classes.end(),
                                 [&](const auto& c) { return SameName(c->name, name); });
    if (it == table.classes.end())
        return FALSE;
    table.classes.erase(it);
    return TRUE;
}

}  // namespace platform
