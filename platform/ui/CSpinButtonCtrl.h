#pragma once
// The up-down control ("msctls_updown32"): two arrows that move a position within a range, most
// often shown beside a buddy edit that holds the position as text. CSpinButtonCtrl is the
// wrapper; the control's behaviour is platform::UpDownControl.
//
// The position never leaves the range. The up arrow moves it towards the upper limit (down,
// when the upper limit is the smaller). Holding an arrow with the stylus repeats the step, and
// the acceleration table makes the step grow with the seconds held. Before each step the parent
// receives UDN_DELTAPOS (WM_NOTIFY, a non-zero answer cancels the step); after it, WM_VSCROLL
// (WM_HSCROLL for UDS_HORZ) with SB_THUMBPOSITION and the new position, and SB_ENDSCROLL when the
// stylus is lifted.

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/ui/CWnd.h"
#include "platform/ui/NotifyHeader.h"

inline constexpr DWORD UDS_WRAP = 0x0001;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_ALIGNLEFT = 0x0008;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;
inline constexpr DWORD UDS_HORZ = 0x0040;
inline constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

inline constexpr UINT UDM_SETRANGE = WM_USER + 101;  // lParam: upper in the low word, lower high
inline constexpr UINT UDM_GETRANGE = WM_USER + 102;  // answer: upper low, lower high
inline constexpr UINT UDM_SETPOS = WM_USER + 103;    // lParam: the position in the low word
inline constexpr UINT UDM_GETPOS = WM_USER + 104;    // answer: position low, non-zero high: error
inline constexpr UINT UDM_SETBUDDY = WM_USER + 105;  // wParam: the buddy; answer: the old one
inline constexpr UINT UDM_GETBUDDY = WM_USER + 106;
inline constexpr UINT UDM_SETACCEL = WM_USER + 107;    // wParam: count, lParam: UDACCEL table
inline constexpr UINT UDM_GETACCEL = WM_USER + 108;    // the same; answer: the count it has
inline constexpr UINT UDM_SETRANGE32 = WM_USER + 111;  // wParam: lower, lParam: upper
inline constexpr UINT UDM_GETRANGE32 = WM_USER + 112;  // wParam, lParam: int* lower, upper
inline constexpr UINT UDM_SETPOS32 = WM_USER + 113;    // lParam: the position; answer: the old one
inline constexpr UINT UDM_GETPOS32 = WM_USER + 114;    // lParam: BOOL* error, or null

inline constexpr int UD_MAXVAL = 0x7FFF;
inline constexpr int UD_MINVAL = -UD_MAXVAL;

// The notification sent before the position changes.
inline constexpr UINT UDN_FIRST = 0U - 721U;
inline constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

// From nSec seconds of holding an arrow on, each step is nInc.
struct UDACCEL {
    UINT nSec = 0;
    UINT nInc = 0;
};

struct NMUPDOWN {
    NMHDR hdr;
    int iPos = 0;    // the position before the step
    int iDelta = 0;  // the step proposed
};
using LPNMUPDOWN = NMUPDOWN*;

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetAccel(int nAccel, UDACCEL* pAccel);
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const;
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    // The 16-bit forms, as UDM_SETPOS and UDM_GETPOS carry them.
    int SetPos(int nPos);
    int GetPos() const;
    int SetPos32(int nPos);
    int GetPos32(BOOL* lpbError = nullptr) const;
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    DWORD GetRange() const;
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const { GetRange(lower, upper); }
};

namespace platform {

class UpDownControl : public CWnd {
public:
    // Holding an arrow repeats its step after kRepeatDelay, then every kRepeatInterval; the
    // repeat timer (kRepeatTimer) ticks more often and steps only when a step is due.
    static constexpr UINT_PTR kRepeatTimer = 1;
    static constexpr DWORD kRepeatDelay = 400;
    static constexpr DWORD kRepeatInterval = 100;
    static constexpr UINT kTimerTick = 25;

    UpDownControl();
    ~UpDownControl() override;

    // The milliseconds clock that times holding an arrow; tests set their own. Null puts back
    // the message clock (GetTickCount).
    static void SetClock(std::function<DWORD()> clock);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnEnable(BOOL bEnable);
    LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetRange32(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetPos32(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetPos32(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetBuddy(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetBuddy(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetAccel(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetAccel(WPARAM wParam, LPARAM lParam);

    // The arrow keys of a buddy: Up or Down in a window that is the buddy of an up-down control
    // with UDS_ARROWKEYS steps that control. TRUE when such a control took the key.
    static BOOL BuddyArrowKey(HWND buddy, UINT vk);

    // Moves the position one step towards the upper limit (up) or the lower one, by inc, with
    // the notifications; what the arrow keys in the buddy and the arrows do.
    void Step(bool up, int inc);
    // The step for an arrow held this many milliseconds, by the acceleration table.
    int IncrementAfter(DWORD heldMs) const;

    DECLARE_MESSAGE_MAP()

private:
    bool Horizontal() const { return (GetStyle() & UDS_HORZ) != 0; }
    int Low() const { return std::min(m_lower, m_upper); }
    int High() const { return std::max(m_lower, m_upper); }
    // The arrow under a client point: 1 up, -1 down, 0 none.
    int ArrowAt(CPoint point) const;
    CRect ArrowRect(int arrow) const;
    void SetBuddy(HWND buddy);
    void AlignToBuddy(bool resizeBuddy);
    // Takes the position from the buddy's text when it holds a number in range; FALSE when it
    // does not.
    bool ReadBuddy();
    void WriteBuddy();
    void SetPosition(int pos);
    void NotifyScroll(UINT code);
    void StopHolding(bool notify);

    int m_lower = 100;  // the platform's default range runs from 100 down to 0
    int m_upper = 0;
    int m_pos = 0;
    HWND m_buddy = nullptr;
    HWND m_resizedBuddy = nullptr;  // the buddy whose width the alignment has taken
    std::vector<UDACCEL> m_accel;

    int m_held = 0;         // the arrow the stylus holds: 1 up, -1 down
    bool m_inside = false;  // and is over it
    DWORD m_pressTime = 0;
    DWORD m_nextStep = 0;
};

void RegisterUpDownClass();

}  // namespace platform
