#pragma once
// Points, sizes and rectangles with the framework's members. A rectangle's left and top edges
// lie inside it, its right and bottom edges outside: the rectangle (0, 0, 10, 10) holds the
// points 0 ... 9 in both directions and is 10 wide.

#include <algorithm>

#include "platform/base/Types.h"

struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class CSize;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT pt) : POINT(pt) {}  // NOLINT(google-explicit-constructor)
    inline CPoint(SIZE size);        // NOLINT(google-explicit-constructor)
    // A point packed as in mouse messages: x in the low word, y in the high word, both signed.
    explicit CPoint(LPARAM dwPoint)
        : POINT{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(dwPoint))),
                static_cast<short>(HIWORD(static_cast<std::uintptr_t>(dwPoint)))} {}

    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    void Offset(POINT pt) { Offset(pt.x, pt.y); }
    inline void Offset(SIZE size);

    CPoint& operator+=(POINT pt) {
        Offset(pt);
        return *this;
    }
    CPoint& operator-=(POINT pt) {
        Offset(-pt.x, -pt.y);
        return *this;
    }
    inline CPoint& operator+=(SIZE size);
    inline CPoint& operator-=(SIZE size);
    CPoint operator-() const { return CPoint(-x, -y); }
    friend CPoint operator+(CPoint a, POINT b) { return a += b; }
    friend inline CSize operator-(const CPoint& a, const CPoint& b);
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
    CSize(SIZE size) : SIZE(size) {}  // NOLINT(google-explicit-constructor)
    explicit CSize(POINT pt) : SIZE{pt.x, pt.y} {}

    CSize& operator+=(SIZE s) {
        cx += s.cx;
        cy += s.cy;
        return *this;
    }
    CSize& operator-=(SIZE s) {
        cx -= s.cx;
        cy -= s.cy;
        return *this;
    }
    CSize operator-() const { return CSize(-cx, -cy); }
    friend CSize operator+(CSize a, SIZE b) { return a += b; }
    friend CSize operator-(CSize a, SIZE b) { return a -= b; }
};

inline CPoint::CPoint(SIZE size) : POINT{size.cx, size.cy} {}
inline void CPoint::Offset(SIZE size) {
    Offset(size.cx, size.cy);
}
inline CPoint& CPoint::operator+=(SIZE size) {
    Offset(size);
    return *this;
}
inline CPoint& CPoint::operator-=(SIZE size) {
    Offset(-size.cx, -size.cy);
    return *this;
}
inline CPoint operator+(CPoint pt, SIZE size) {
    return pt += size;
}
inline CPoint operator-(CPoint pt, SIZE size) {
    return pt -= size;
}
inline CSize operator-(const CPoint& a, const CPoint& b) {
    return CSize(a.x - b.x, a.y - b.y);
}

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}  // NOLINT(google-explicit-constructor)
    explicit CRect(LPCRECT rc) : RECT(*rc) {}
    CRect(POINT pt, SIZE size) : RECT{pt.x, pt.y, pt.x + size.cx, pt.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    // By value: the framework hands out references into the rectangle, which C++ does not allow
    // without breaking aliasing rules; assign through SetRect or the members instead.
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }         // NOLINT(google-explicit-constructor)
    operator LPCRECT() const { return this; }  // NOLINT(google-explicit-constructor)

    // Empty: no area (width or height zero or negative). Null: all four members zero.
    BOOL IsRectEmpty() const { return (Width() <= 0 || Height() <= 0) ? TRUE : FALSE; }
    BOOL IsRectNull() const { return (left == 0 && top == 0 && right == 0 && bottom == 0); }
    BOOL PtInRect(POINT pt) const {
        return (pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom) ? TRUE : FALSE;
    }

    void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRect(POINT topLeft, POINT bottomRight) {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT rc) { *this = *rc; }
    BOOL EqualRect(LPCRECT rc) const { return *this == *rc ? TRUE : FALSE; }

    void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT rc) { InflateRect(rc->left, rc->top, rc->right, rc->bottom); }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT rc) { InflateRect(-rc->left, -rc->top, -rc->right, -rc->bottom); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int x, int y) {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(POINT pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }

    // The overlap of a and b; an empty result becomes (0, 0, 0, 0) and returns FALSE.
    BOOL IntersectRect(LPCRECT a, LPCRECT b) {
        const CRect r(std::max(a->left, b->left), std::max(a->top, b->top),
                      std::min(a->right, b->right), std::min(a->bottom, b->bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        *this = r;
        return TRUE;
    }
    // The smallest rectangle holding both; an empty operand does not count. FALSE when the
    // result is empty.
    BOOL UnionRect(LPCRECT a, LPCRECT b) {
        const bool aEmpty = CRect(*a).IsRectEmpty(), bEmpty = CRect(*b).IsRectEmpty();
        if (aEmpty && bEmpty) {
            SetRectEmpty();
            return FALSE;
        }
        if (aEmpty) {
            *this = *b;
        } else if (bEmpty) {
            *this = *a;
        } else {
            SetRect(std::min(a->left, b->left), std::min(a->top, b->top),
                    std::max(a->right, b->right), std::max(a->bottom, b->bottom));
        }
        return TRUE;
    }

    CRect& operator+=(POINT pt) {
        OffsetRect(pt);
        return *this;
    }
    CRect& operator-=(POINT pt) {
        OffsetRect(-pt.x, -pt.y);
        return *this;
    }
    CRect& operator&=(const RECT& rc) {
        IntersectRect(this, &rc);
        return *this;
    }
    CRect& operator|=(const RECT& rc) {
        UnionRect(this, &rc);
        return *this;
    }
    friend CRect operator+(CRect r, POINT pt) { return r += pt; }
    friend CRect operator-(CRect r, POINT pt) { return r -= pt; }
    friend CRect operator&(CRect a, const RECT& b) { return a &= b; }
    friend CRect operator|(CRect a, const RECT& b) { return a |= b; }
};

// The platform's plain functions on the same structures.
inline BOOL PtInRect(const RECT* rc, POINT pt) {
    return CRect(*rc).PtInRect(pt);
}
inline BOOL IsRectEmpty(const RECT* rc) {
    return CRect(*rc).IsRectEmpty();
}
inline BOOL SetRect(LPRECT rc, int l, int t, int r, int b) {
    *rc = RECT{l, t, r, b};
    return TRUE;
}
inline BOOL SetRectEmpty(LPRECT rc) {
    return SetRect(rc, 0, 0, 0, 0);
}
inline BOOL CopyRect(LPRECT dst, const RECT* src) {
    *dst = *src;
    return TRUE;
}
inline BOOL EqualRect(const RECT* a, const RECT* b) {
    return *a == *b ? TRUE : FALSE;
}
inline BOOL OffsetRect(LPRECT rc, int dx, int dy) {
    CRect r(*rc);
    r.OffsetRect(dx, dy);
    *rc = r;
    return TRUE;
}
inline BOOL InflateRect(LPRECT rc, int dx, int dy) {
    CRect r(*rc);
    r.InflateRect(dx, dy);
    *rc = r;
    return TRUE;
}
inline BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
    CRect r;
    const BOOL result = r.IntersectRect(a, b);
    *dst = r;
    return result;
}
inline BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
    CRect r;
    const BOOL result = r.UnionRect(a, b);
    *dst = r;
    return result;
}
