#pragma once
// The static control ("STATIC"): a text, a picture or a frame that the user does not edit.
// CStatic is the wrapper; the control's behaviour is platform::StaticControl, which the class
// registration gives every such window.
//
// A picture (SS_BITMAP) made from a dialog template names its bitmap resource in the window
// text: "#131" for the number 131, or the resource's name. The control then takes the size of
// the bitmap, as on the platform.

#include <memory>

#include "platform/gdi/CBitmap.h"
#include "platform/ui/CWnd.h"

inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr DWORD SS_ICON = 0x0003;
inline constexpr DWORD SS_BLACKRECT = 0x0004;
inline constexpr DWORD SS_GRAYRECT = 0x0005;
inline constexpr DWORD SS_WHITERECT = 0x0006;
inline constexpr DWORD SS_BLACKFRAME = 0x0007;
inline constexpr DWORD SS_GRAYFRAME = 0x0008;
inline constexpr DWORD SS_WHITEFRAME = 0x0009;
inline constexpr DWORD SS_SIMPLE = 0x000B;
inline constexpr DWORD SS_LEFTNOWORDWRAP = 0x000C;
inline constexpr DWORD SS_BITMAP = 0x000E;
inline constexpr DWORD SS_TYPEMASK = 0x001F;
inline constexpr DWORD SS_NOPREFIX = 0x0080;
inline constexpr DWORD SS_NOTIFY = 0x0100;
inline constexpr DWORD SS_CENTERIMAGE = 0x0200;
inline constexpr DWORD SS_SUNKEN = 0x1000;

// Static control messages.
inline constexpr UINT STM_SETIMAGE = 0x0172;  // wParam IMAGE_BITMAP, lParam the HBITMAP
inline constexpr UINT STM_GETIMAGE = 0x0173;
inline constexpr UINT IMAGE_BITMAP = 0;

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    using CWnd::Create;
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF);
    // The picture of an SS_BITMAP control; the caller keeps the bitmap alive while it is shown.
    // Returns the bitmap shown before.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
};

namespace platform {

class StaticControl : public CWnd {
public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnEnable(BOOL bEnable);
    UINT OnGetDlgCode();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetImage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetImage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    DWORD Type() const { return GetStyle() & SS_TYPEMASK; }
    // Loads the bitmap resource the text names, if it names one.
    void LoadPictureFromText();
    void ShowPicture(HBITMAP hBitmap);
    void PaintText(CDC& dc, const CRect& client);
    void PaintPicture(CDC& dc);

    std::unique_ptr<CBitmap> m_ownBitmap;  // loaded from a resource
    HBITMAP m_bitmap = nullptr;            // what is shown: m_ownBitmap's or the caller's
};

void RegisterStaticClass();

}  // namespace platform
