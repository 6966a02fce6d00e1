#include "platform/ui/CPaintDC.h"

#include "platform/ui/CWnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
    platform::BeginPaintInto(m_hWnd, *this, m_ps);
}

CPaintDC::~CPaintDC() {
    platform::UnregisterDC(this);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
    platform::AttachWindowDC(*this, m_hWnd, false, nullptr);
    platform::RegisterDC(this);
}

CClientDC::~CClientDC() {
    platform::UnregisterDC(this);
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
    platform::AttachWindowDC(*this, m_hWnd, true, nullptr);
    platform::RegisterDC(this);
}

CWindowDC::~CWindowDC() {
    platform::UnregisterDC(this);
}
