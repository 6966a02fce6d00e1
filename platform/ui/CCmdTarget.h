#pragma once
// The base of everything that receives commands: the application, documents, windows.

#include "platform/base/CObject.h"
#include "platform/ui/MessageMap.h"

class CCmdUI;
class CCmdTarget;

// Filled instead of calling the handler, to ask whether a command has one.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Routes a command (nCode CN_COMMAND or a control notification) or the update of a command's
    // user-interface item (CN_UPDATE_COMMAND_UI, pExtra is the CCmdUI) through this object's
    // message map chain. TRUE when a handler took it. Windows override it to route further
    // (a frame to its view, the view to its document, then the application). With
    // pHandlerInfo, nothing is called: the handler found is reported there.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra,
                          AFX_CMDHANDLERINFO* pHandlerInfo = nullptr);

    // Calls the handler of a window message (not WM_COMMAND) if the map chain has one.
    bool DispatchWindowMessage(platform::MessageArgs& args);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor() {}

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of the chain, most derived class first, that matches.
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT nMessage, int nCode,
                                             UINT nID);
};

// The user-interface item of a command (a menu item) being asked whether it is enabled.
class CCmdUI {
public:
    UINT m_nID = 0;
    BOOL m_bEnabled = TRUE;
    BOOL m_bEnableChanged = FALSE;
    int m_nCheck = 0;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE) {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    virtual void SetCheck(int nCheck = 1) { m_nCheck = nCheck; }

    // Asks the target; an item whose command nobody handles is disabled when bDisableIfNoHandler.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
