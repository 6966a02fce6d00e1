#pragma once
// Canvases for drawing tests: a memory context on a bitmap, and helpers that read its pixels.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

// Readable failure messages for the geometry types (a CRect would otherwise print as the
// pointer it converts to).
inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os) {
    *os << "[" << s.cx << " x " << s.cy << "]";
}

namespace gditest {

// A memory context with its own bitmap selected, filled white, like the reader's text view.
class Canvas {
public:
    Canvas(int width, int height, int bitsPerPixel) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(width, height, 1, static_cast<UINT>(bitsPerPixel), nullptr);
        dc.SelectObject(&bitmap);
        Clear();
    }
    void Clear() { Surface().FillAll(Surface().DeviceValue(RGB(255, 255, 255))); }
    platform::Surface& Surface() { return *bitmap.GetSurface(); }
    bool Ink(int x, int y) { return dc.GetPixel(x, y) != RGB(255, 255, 255); }
    std::vector<std::uint8_t> Pixels() {
        auto data = Surface().Data();
        return {data.begin(), data.end()};
    }
    // The smallest rectangle holding every non-white pixel in area (empty when none).
    CRect InkBounds(const CRect& area) {
        CRect box;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (Ink(x, y))
                    box |= CRect(x, y, x + 1, y + 1);
            }
        }
        return box;
    }
    CRect InkBounds() { return InkBounds(Surface().Bounds()); }
    // Rows that hold ink, grouped into bands of consecutive rows.
    std::vector<CRect> InkBands() {
        std::vector<CRect> bands;
        const int w = Surface().Width(), h = Surface().Height();
        for (int y = 0; y < h; ++y) {
            const CRect row = InkBounds(CRect(0, y, w, y + 1));
            if (row.IsRectEmpty())
                continue;
            if (!bands.empty() && bands.back().bottom == y) {
                bands.back() |= row;
            } else {
                bands.push_back(row);
            }
        }
        return bands;
    }

    CDC dc;
    CBitmap bitmap;
};

inline TEXTMETRIC Metrics(CDC& dc) {
    TEXTMETRIC tm{};
    EXPECT_TRUE(dc.GetTextMetrics(&tm));
    return tm;
}

inline std::string Show(const CRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

}  // namespace gditest
