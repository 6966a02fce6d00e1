#include "platform/ui/DialogTemplates.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/ui/WindowApi.h"

namespace platform {

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

}  // namespace

int DialogUnitsToPixelsX(int units) {
    return MulDivRounded(units, kDialogBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units) {
    return MulDivRounded(units, kDialogBaseUnitY, 8);
}

CRect DialogUnitsToPixels(const CRect& units) {
    return CRect(DialogUnitsToPixelsX(units.left), DialogUnitsToPixelsY(units.top),
                 DialogUnitsToPixelsX(units.right), DialogUnitsToPixelsY(units.bottom));
}

CFont* DialogFont(const DialogTemplate& dialog) {
    static auto& fonts = *new std::map<std::pair<std::u16string, int>, std::unique_ptr<CFont>>;
    const std::u16string face = dialog.fontName.empty() ? u"System" : dialog.fontName;
    const int points = dialog.pointSize != 0 ? dialog.pointSize : 8;
    auto& font = fonts[{face, points}];
    if (font == nullptr) {
        font = std::make_unique<CFont>();
        font->CreatePointFont(points * 10, face.c_str());
    }
    return font.get();
}

std::u16string ItemClassName(const DialogItemTemplate& item) {
    if (!item.className.empty())
        return item.className;
    switch (item.controlClass) {
        case DialogControlClass::Button:
            return u"BUTTON";
        case DialogControlClass::Edit:
            return u"EDIT";
        case DialogControlClass::Static:
            return u"STATIC";
        case DialogControlClass::ListBox:
            return u"LISTBOX";
        case DialogControlClass::ScrollBar:
            return u"SCROLLBAR";
        case DialogControlClass::ComboBox:
            return u"COMBOBOX";
        case DialogControlClass::Custom:
            break;
    }
    return std::u16string();
}

BOOL CreateDialogControls(HWND parent, const DialogTemplate& dialog) {
    CFont* font = DialogFont(dialog);
    const WPARAM hFont = reinterpret_cast<WPARAM>(font->GetSafeHandle());
    ::SendMessage(parent, WM_SETFONT, hFont, FALSE);
    for (const DialogItemTemplate& item : dialog.items) {
        // Position and size convert one by one, as the platform's dialog manager does.
        const CRect r(CPoint(DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y)),
                      CSize(DialogUnitsToPixelsX(item.cx), DialogUnitsToPixelsY(item.cy)));
        const std::u16string className = ItemClassName(item);
        std::u16string text = item.text;
        if (item.textResource)
            text =
                u"#" + std::u16string(CString::FromUtf8(std::to_string(*item.textResource)).View());
        const HWND control = ::CreateWindowEx(item.exStyle, className.c_str(), text.c_str(),
                                              item.style | WS_CHILD, r.left, r.top, r.Width(),
                                              r.Height(), parent, static_cast<UINT>(item.id));
        if (control == nullptr)
            return FALSE;
        ::SendMessage(control, WM_SETFONT, hFont, FALSE);
    }
    return TRUE;
}

}  // namespace platform

BOOL MapDialogRect(HWND /*hDlg*/, LPRECT lpRect) {
    if (lpRect == nullptr)
        return FALSE;
    *lpRect = platform::DialogUnitsToPixels(CRect(*lpRect));
    return TRUE;
}

LONG GetDialogBaseUnits() {
    return MAKELONG(static_cast<WORD>(platform::kDialogBaseUnitX),
                    static_cast<WORD>(platform::kDialogBaseUnitY));
}
