// The platform's stock objects: permanent brushes, pens, the system font and the 1 x 1
// monochrome bitmap that a new memory context holds.

#include <array>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiResource.h"

namespace {

struct Stock {
    std::array<CBrush, 6> brushes;  // WHITE_BRUSH ... NULL_BRUSH
    std::array<CPen, 3> pens;       // WHITE_PEN, BLACK_PEN, NULL_PEN
    CFont systemFont;
    CBitmap bitmap;

    Stock() {
        brushes[WHITE_BRUSH].CreateSolidBrush(RGB(255, 255, 255));
        brushes[LTGRAY_BRUSH].CreateSolidBrush(RGB(192, 192, 192));
        brushes[GRAY_BRUSH].CreateSolidBrush(RGB(128, 128, 128));
        brushes[DKGRAY_BRUSH].CreateSolidBrush(RGB(64, 64, 64));
        brushes[BLACK_BRUSH].CreateSolidBrush(RGB(0, 0, 0));
        brushes[NULL_BRUSH].AttachResource(std::make_shared<BrushResource>(true, RGB(0, 0, 0)));
        pens[WHITE_PEN - WHITE_PEN].CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        pens[BLACK_PEN - WHITE_PEN].CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        pens[NULL_PEN - WHITE_PEN].CreatePen(PS_NULL, 1, RGB(0, 0, 0));
        // The device's system font: its dialog face at 8 points.
        LOGFONT lf{};
        lf.lfHeight = -platform::FontEngine::kDefaultEmPixels;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        const std::u16string_view name = u"System";
        std::copy(name.begin(), name.end(), lf.lfFaceName);
        systemFont.CreateFontIndirect(&lf);
        bitmap.CreateBitmap(1, 1, 1, 1, nullptr);
    }
};

Stock& TheStock() {
    static Stock stock;
    return stock;
}

}  // namespace

namespace platform {

std::shared_ptr<GdiResource> StockResource(int index) {
    Stock& stock = TheStock();
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH)
        return stock.brushes[index].Resource();
    if (index >= WHITE_PEN && index <= NULL_PEN)
        return stock.pens[index - WHITE_PEN].Resource();
    if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT)
        return stock.systemFont.Resource();
    return nullptr;
}

std::shared_ptr<GdiResource> StockBitmapResource() {
    return TheStock().bitmap.Resource();
}

}  // namespace platform

HGDIOBJ GetStockObject(int nIndex) {
    return platform::StockResource(nIndex).get();
}
