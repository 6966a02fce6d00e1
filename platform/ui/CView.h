#pragma once
// A view: a child window that shows a document. The frame creates it from the template's
// runtime class; it registers with the document from the creation context, paints through
// OnDraw, gets OnInitialUpdate once when its frame is first shown (WM_INITIALUPDATE, which
// every view below the frame receives, parents before children), and deletes itself when its
// window is destroyed.

#include "platform/ui/CWnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    // Repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The view's own map first, then the document's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra,
                  AFX_CMDHANDLERINFO* pHandlerInfo = nullptr) override;
    // Leaves the document and, when its frame adopted it, is deleted.
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    CDocument* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()
};
