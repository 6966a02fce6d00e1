#pragma once
// The soft input panel: a keyboard drawn on the screen, 240 x 80 pixels directly above the
// command bar, that the stylus types on. SHSipInfo shows and hides it. A tapped key reaches the
// window with the keyboard focus exactly as a hardware key does: WM_KEYDOWN and WM_CHAR when the
// stylus goes down, WM_KEYUP when it is lifted, through the message queue, so that
// PreTranslateMessage sees them. Shift makes the next key upper case (or its symbol).
//
// The keyboard is a top-level window of its own that stays above every other window, never
// takes the focus and is never the active window.

#include <string>
#include <vector>

#include "platform/ui/CWnd.h"

inline constexpr UINT SPI_SETSIPINFO = 224;
inline constexpr UINT SPI_GETSIPINFO = 225;

inline constexpr DWORD SIPF_OFF = 0x0;
inline constexpr DWORD SIPF_ON = 0x1;
inline constexpr DWORD SIPF_DOCKED = 0x2;
inline constexpr DWORD SIPF_LOCKED = 0x4;

struct SIPINFO {
    DWORD cbSize = 0;  // sizeof(SIPINFO)
    DWORD fdwFlags = 0;
    RECT rcVisibleDesktop{0, 0, 0, 0};  // the work area the keyboard leaves free
    RECT rcSipRect{0, 0, 0, 0};         // where the keyboard is, on the screen
    DWORD dwImDataSize = 0;
    void* pvImData = nullptr;
};

// SPI_SETSIPINFO: pvParam's fdwFlags with SIPF_ON shows the keyboard, without it hides it.
// SPI_GETSIPINFO: fills pvParam. FALSE for another action, a null structure or a cbSize that
// is not the structure's size.
BOOL SHSipInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

namespace platform {

inline constexpr int kSipWidth = 240;
inline constexpr int kSipHeight = 80;

// Where the keyboard is on the screen: above the command bar.
CRect SipRect();
bool IsSipShown();
// The keyboard's window; null until it is first shown.
HWND SipWindow();
// The key that sends vk (a digit or letter is its upper-case character), on the screen;
// empty when the keyboard has no such key.
CRect SipKeyRect(UINT vk);

class SoftInputPanel : public CWnd {
public:
    enum class KeyKind { Char, Back, Enter, Space, Shift, Arrow };
    struct Key {
        CRect rect;  // client coordinates
        KeyKind kind = KeyKind::Char;
        UINT vk = 0;
        char16_t normal = 0;  // the character typed, or 0
        char16_t shifted = 0;
        std::u16string label;  // for keys that are no character
    };

    SoftInputPanel();
    static SoftInputPanel& Instance();

    void Show(bool shown);
    bool Shown() const;
    const std::vector<Key>& Keys() const { return m_keys; }
    bool ShiftOn() const { return m_shift; }

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);

    DECLARE_MESSAGE_MAP()

private:
    int KeyAt(CPoint point) const;
    void PaintKey(CDC& dc, const Key& key, bool pressed);
    // Queues a key message for the focus window as the screen queues a hardware key.
    void QueueKey(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<Key> m_keys;
    int m_pressed = -1;
    bool m_shift = false;
    bool m_shiftUsed = false;  // the pressed key was typed with Shift on
};

void RegisterSoftInputPanelClass();

}  // namespace platform
