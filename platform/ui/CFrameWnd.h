#pragma once
// A frame: the top-level window of a document / view program. LoadFrame takes its title from
// the first field of the template string and its accelerators from the table of the same
// resource id; the creation context makes its view, which fills the client area left by the
// control bars (the command bar at the bottom).
//
// Commands (menu items, accelerators) arrive at the frame and are routed, in this order, to
// the active view (whose own routing continues to its document and the document's template),
// to the frame's own message map, and to the application. The first handler found takes the
// command; with none, nothing happens.

#include "platform/base/CString.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/CWnd.h"

class CDocument;
class CView;

// Frame styles.
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
inline constexpr DWORD FWS_PREFIXTITLE = 0x00004000;
inline constexpr DWORD FWS_SNAPTOBARS = 0x00002000;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    using CWnd::Create;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    // Title and accelerators from resource nIDResource, then the window.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(const ResourceId& name);
    HACCEL m_hAccelTable = nullptr;
    CString m_strTitle;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Makes the context's view (as child nID); FALSE stops the frame's creation.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument();

    // Places the control bars along their edges and the view in what remains.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The views' OnInitialUpdate (WM_INITIALUPDATE to every descendant), then the frame shown
    // and its view given the focus.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (nCmdShow -1: SW_SHOW unless it is visible) and brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);

    // The accelerators, for keys bound for this frame or any window inside it.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra,
                  AFX_CMDHANDLERINFO* pHandlerInfo = nullptr) override;
    // Frames made by a document template delete themselves.
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Closes the frame: the main frame closes every document (and so itself), which ends the
    // program; another frame closes its document when it is its last frame, or only itself.
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    // Asks the routing, item by item, whether each command of the pop-up is enabled; an item
    // whose command nobody handles is disabled (m_bAutoMenuEnable).
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    BOOL m_bAutoMenuEnable = TRUE;

    DECLARE_MESSAGE_MAP()

private:
    CView* m_pViewActive = nullptr;
};
