#pragma once
// A device context: the drawing state (selected objects, colours, modes, origin, clip) and the
// drawing calls, onto one of two kinds of target:
//
//   a memory context (CreateCompatibleDC) draws into the bitmap selected into it. A new one
//     holds the platform's initial 1 x 1 monochrome bitmap, so a bitmap made compatible with it
//     has 1 bit per pixel;
//   a surface context (AttachSurface, an extension) draws into a Surface that someone else
//     owns, such as the window layer's screen, through an origin and a clip rectangle, so that
//     each window gets a context on the shared screen.
//
// Coordinates are logical: a point (x, y) lands on the surface at origin + viewport origin +
// (x, y). Everything is clipped to the clip rectangle (surface coordinates) and the surface.
// Colours convert to the target: on a 1-bpp target light colours are white (1) and dark ones
// black (0); see Surface::ToMono.
//
// A new context has: text colour black, background colour white, background mode OPAQUE, the
// stock white brush, black pen and system font (Tahoma 8 point as fontconfig resolves it).
// Calls on a context that holds no target do nothing and return 0, FALSE or an empty size.

#include <memory>

#include "platform/base/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiStructs.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/Surface.h"

struct DcState;
struct GdiResource;
enum class GdiKind;
using HDC = DcState*;

// GetDeviceCaps indexes.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

using LPINT = int*;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // --- Creation -----------------------------------------------------------------------
    // A memory context holding the initial 1 x 1 monochrome bitmap. pDC may be null (the
    // screen); its kind does not change the result. Replaces any context held before.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Extension: a context on a surface the caller owns and keeps alive while the context
    // draws. origin is where logical (0, 0) lands on the surface; clip (surface coordinates)
    // bounds every drawing and every BitBlt read through this context.
    BOOL AttachSurface(platform::Surface* surface, CPoint origin, const CRect& clip);
    // Lets go of the context and of its share of the selected objects. FALSE when empty.
    BOOL DeleteDC();
    HDC GetSafeHdc() const { return m_state.get(); }

    // Extension: what the context draws into now (the selected bitmap's pixels for a memory
    // context), or null. Its bit depth is what CreateCompatibleBitmap gives.
    platform::Surface* GetSurface() const;
    // Extension: the origin and clip rectangle (surface coordinates) it draws through.
    CPoint GetSurfaceOrigin() const;
    int GetDeviceCaps(int nIndex) const;

    // --- Objects ------------------------------------------------------------------------
    // Each returns the object selected before (the stock one when the caller selected none),
    // or null when the object is empty or cannot be selected (a bitmap into a surface
    // context). Selecting a bitmap makes it the target and its bounds the clip.
    CBitmap* SelectObject(CBitmap* pBitmap);
    CFont* SelectObject(CFont* pFont);
    CBrush* SelectObject(CBrush* pBrush);
    CPen* SelectObject(CPen* pPen);
    CGdiObject* SelectObject(CGdiObject* pObject);
    CGdiObject* SelectStockObject(int nIndex);
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CBrush* GetCurrentBrush() const;
    CPen* GetCurrentPen() const;

    // --- Attributes (each setter returns the previous value) -----------------------------
    int SetBkMode(int nBkMode);  // TRANSPARENT or OPAQUE
    int GetBkMode() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CPoint GetViewportOrg() const;
    // Narrows the clip to a logical rectangle; returns 1 when something is left, else 0.
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect) {
        return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    // The clip in logical coordinates; returns 1, or 0 when it is empty.
    int GetClipBox(LPRECT lpRect) const;
    // Saves the attributes, objects, origin and clip; RestoreDC(-1) brings back the last
    // saved state, RestoreDC(n) the one SaveDC numbered n. 0 / FALSE on failure.
    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

    // --- Filling and lines ----------------------------------------------------------------
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    // Also sets the background colour to clr, as the framework's version does.
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    // Top and left edges in clrTopLeft, bottom and right in clrBottomRight, one pixel wide.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void InvertRect(LPCRECT lpRect);
    // A dotted frame drawn by inverting, so a second call removes it.
    void DrawFocusRect(LPCRECT lpRect);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    // A line in the selected pen from the current position up to, not including, (x, y);
    // (x, y) becomes the current position.
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    // Outline in the pen, inside in the brush; covers x1 ... x2 - 1 and y1 ... y2 - 1.
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect) {
        return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    // The colour set (as the target holds it), or CLR_INVALID outside the clip.
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

    // --- Text -----------------------------------------------------------------------------
    // (x, y) is the top left corner of the text's cell. No prefix or tab processing. In
    // OPAQUE mode the cell is first filled with the background colour.
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    // ETO_OPAQUE fills lpRect with the background colour; ETO_CLIPPED clips to lpRect.
    // lpDxWidths, when given, holds the advance of each character.
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                    LPINT lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                    LPINT lpDxWidths);
    // Width of the characters and the font's height (tmHeight).
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetOutputTextExtent(const CString& str) const { return GetTextExtent(str); }
    // How many characters fit in nMaxExtent (lpnFit) and the extent after each (alpDx), as
    // the platform's GetTextExtentExPoint.
    BOOL GetTextExtentExPoint(LPCTSTR lpszString, int nCount, int nMaxExtent, LPINT lpnFit,
                              LPINT alpDx, SIZE* lpSize) const;
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
    // Formatted text in a rectangle (DT_... flags). Returns the height of the text: the
    // number of lines times tmHeight (for DT_VCENTER and DT_BOTTOM, the offset from the
    // rectangle's top to the bottom of the text). nCount -1 takes the whole text.
    //   Lines break at \n, \r\n and \r (unless DT_SINGLELINE) and, with DT_WORDBREAK, before
    //     a word that would cross the right edge; a word longer than a line overflows it.
    //   Unless DT_NOPREFIX, && shows one ampersand and &x shows x underlined.
    //   A tab is one blank unless DT_EXPANDTABS (stops every 8 average character widths).
    //   DT_CALCRECT draws nothing: the bottom moves to the last line's bottom and the right
    //     edge to the end of the longest line.
    //   Drawing is clipped to the rectangle unless DT_NOCLIP.
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
        return DrawText(str, -1, lpRect, nFormat);
    }

    // --- Block transfers -----------------------------------------------------------------
    // Copies a w x h block from pSrcDC at (xSrc, ySrc) to (x, y), combined by dwRop (SRCCOPY,
    // SRCPAINT, SRCAND, SRCINVERT, NOTSRCCOPY, or a source-free PATCOPY, PATINVERT,
    // DSTINVERT, BLACKNESS, WHITENESS). Depth conversion as on the platform: from 1 bpp onto
    // colour, 0 bits become this context's text colour and 1 bits its background colour;
    // from colour onto 1 bpp, pixels equal to the source context's background colour become
    // 1 and all others 0. Pixels outside the source's surface or clip read as the window
    // colour. The same surface as source and target is copied as if through a buffer.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);

private:
    template <class T>
    T* Select(T* object, GdiKind kind);
    CGdiObject* OwnerOf(const std::shared_ptr<GdiResource>& resource) const;

    std::unique_ptr<DcState> m_state;
};
