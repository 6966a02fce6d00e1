#pragma once
// A pixel buffer that device contexts draw into: the screen, a window's part of it, or a
// bitmap. It owns its pixels.
//
// Two formats:
//   1 bit per pixel: rows of bytes, leftmost pixel in the most significant bit; 0 is black and
//     1 is white, as in the platform's monochrome bitmaps.
//   32 bits per pixel: one std::uint32_t per pixel, 0x00RRGGBB (the top byte is kept 0).
// A "device value" below is a pixel in the surface's own format: 0 or 1, or 0x00RRGGBB.
// Rows are Stride() bytes apart, a multiple of 4, and lie top row first.
//
// Every drawing call clips to the surface's bounds and to the rectangle it is given, so a
// caller may pass coordinates anywhere.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"

namespace platform {

class Surface {
public:
    // The largest surface accepted; bigger requests are refused, not attempted.
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxBytes = std::int64_t{256} << 20;
    static bool CanCreate(int width, int height, int bitsPerPixel);

    Surface() = default;  // 0 x 0, 32 bits per pixel
    // All pixels 0 (black). Throws std::invalid_argument when !CanCreate(...).
    Surface(int width, int height, int bitsPerPixel);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitsPerPixel() const { return m_mono ? 1 : 32; }
    bool IsMono() const { return m_mono; }
    int Stride() const { return m_stride; }
    CRect Bounds() const { return CRect(0, 0, m_width, m_height); }

    std::uint8_t* Row(int y) { return Bytes() + static_cast<std::size_t>(y) * m_stride; }
    const std::uint8_t* Row(int y) const {
        return Bytes() + static_cast<std::size_t>(y) * m_stride;
    }
    // 32-bpp surfaces only.
    std::uint32_t* Row32(int y) {
        return m_words.data() + static_cast<std::size_t>(y) * (m_stride / 4);
    }
    const std::uint32_t* Row32(int y) const {
        return m_words.data() + static_cast<std::size_t>(y) * (m_stride / 4);
    }
    std::span<std::uint8_t> Data() { return {Bytes(), m_words.size() * 4}; }
    std::span<const std::uint8_t> Data() const { return {Bytes(), m_words.size() * 4}; }

    // Reading or writing outside the bounds is ignored; a read there gives 0.
    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t value);
    std::uint32_t GetPixelUnchecked(int x, int y) const {
        return m_mono ? (Row(y)[x >> 3] >> (7 - (x & 7))) & 1u : Row32(y)[x];
    }

    void Fill(const CRect& rect, std::uint32_t value);
    void FillAll(std::uint32_t value) { Fill(Bounds(), value); }
    // Inverts every bit of the pixels (white becomes black, a colour its complement).
    void Invert(const CRect& rect);

    // Paints the pixels of a 1-bit mask (most significant bit leftmost, rows pitch bytes apart)
    // whose top left corner lands at (x, y): set bits take value, clear bits leave the surface.
    void FillMask1(int x, int y, const std::uint8_t* mask, int pitch, int width, int height,
                   std::uint32_t value, const CRect& clip);
    // Blends rgb (0x00RRGGBB) through an 8-bit coverage mask onto a 32-bpp surface. On a 1-bpp
    // surface a coverage of half or more sets the pixel to value's monochrome form.
    void BlendMask8(int x, int y, const std::uint8_t* alpha, int pitch, int width, int height,
                    std::uint32_t rgb, const CRect& clip);

    // Conversions between platform colours and device values.
    static std::uint32_t ToRgb(COLORREF c) {
        return (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
               (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    }
    static COLORREF FromRgb(std::uint32_t rgb) {
        return RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8),
                   static_cast<BYTE>(rgb));
    }
    // Light colours are white on a 1-bpp surface, dark ones black.
    static std::uint32_t ToMono(COLORREF c) {
        return (299u * GetRValue(c) + 587u * GetGValue(c) + 114u * GetBValue(c)) >= 128000u ? 1u
                                                                                            : 0u;
    }
    std::uint32_t DeviceValue(COLORREF c) const { return m_mono ? ToMono(c) : ToRgb(c); }
    COLORREF ColorOf(std::uint32_t value) const {
        return m_mono ? (value ? RGB(255, 255, 255) : RGB(0, 0, 0)) : FromRgb(value);
    }

private:
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(m_words.data()); }
    const std::uint8_t* Bytes() const {
        return reinterpret_cast<const std::uint8_t*>(m_words.data());
    }

    int m_width = 0;
    int m_height = 0;
    bool m_mono = false;
    int m_stride = 0;
    // Words rather than bytes so that 32-bpp rows are std::uint32_t objects.
    std::vector<std::uint32_t> m_words;
};

}  // namespace platform
