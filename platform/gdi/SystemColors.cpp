#include "platform/gdi/SystemColors.h"

#include <array>
#include <memory>

#include "platform/gdi/CBrush.h"

namespace {

constexpr std::array<COLORREF, 27> kColors = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 153),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(255, 255, 255),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application work space
    RGB(0, 0, 153),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3-D dark shadow
    RGB(223, 223, 223),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(192, 192, 192),  // static background
    RGB(0, 0, 0),        // static text
};

std::size_t Slot(int nIndex) {
    return static_cast<std::size_t>(static_cast<unsigned>(nIndex) &
                                    ~unsigned{SYS_COLOR_INDEX_FLAG});
}

}  // namespace

COLORREF GetSysColor(int nIndex) {
    const std::size_t slot = Slot(nIndex);
    return slot < kColors.size() ? kColors[slot] : RGB(0, 0, 0);
}

HBRUSH GetSysColorBrush(int nIndex) {
    const std::size_t slot = Slot(nIndex);
    if (slot >= kColors.size())
        return nullptr;
    static std::array<std::unique_ptr<CBrush>, kColors.size()> brushes;
    if (!brushes[slot])
        brushes[slot] = std::make_unique<CBrush>(kColors[slot]);
    return brushes[slot]->GetSafeHandle();
}
