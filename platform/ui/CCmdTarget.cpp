#include "platform/ui/CCmdTarget.h"

#include "platform/base/WaitCursor.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* map, UINT nMessage, int nCode,
                                              UINT nID) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID &&
                nID <= e->nLastID) {
                return e;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), WM_COMMAND, nCode, nID);
    if (entry == nullptr) {
        return FALSE;
    }
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    platform::MessageArgs args;
    args.message = WM_COMMAND;
    args.wParam = static_cast<WPARAM>(MAKELPARAM(static_cast<WORD>(nID), static_cast<WORD>(nCode)));
    if (nCode == CN_UPDATE_COMMAND_UI) {
        args.pCmdUI = static_cast<CCmdUI*>(pExtra);
    }
    entry->pfn(this, args);
    return TRUE;
}

bool CCmdTarget::DispatchWindowMessage(platform::MessageArgs& args) {
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), args.message, 0, 0);
    if (entry == nullptr) {
        return false;
    }
    entry->pfn(this, args);
    return true;
}

void CCmdTarget::BeginWaitCursor() {
    platform::BeginWaitCursor();
}

void CCmdTarget::EndWaitCursor() {
    platform::EndWaitCursor();
}

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
    if (!handled && bDisableIfNoHandler && !m_bEnableChanged) {
        // Nobody answers for the item: it is enabled only if somebody handles the command.
        AFX_CMDHANDLERINFO info;
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
    }
}
