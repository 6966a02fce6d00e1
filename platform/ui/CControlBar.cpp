#include "platform/ui/CControlBar.h"

#include "platform/ui/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

void CControlBar::SetBarStyle(DWORD dwStyle) {
    if (m_dwStyle == dwStyle)
        return;
    m_dwStyle = dwStyle;
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
}
