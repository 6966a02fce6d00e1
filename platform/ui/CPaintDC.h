#pragma once
// Contexts on a window's part of the screen, for the life of the object: CPaintDC for a
// WM_PAINT handler (clipped to the area being repainted, the background erased first through
// WM_ERASEBKGND), CClientDC for the client area and CWindowDC for the whole window at any
// time. Whatever they draw lands on the screen at once and is presented with the next frame.

#include "platform/gdi/CDC.h"
#include "platform/ui/WindowDC.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
