#pragma once
// A view made from a dialog template: its controls are the template's, created in template
// order and placed by dialog units (DialogTemplates.h). It scrolls when the template is
// larger than the view, handles the dialog keys (Tab, Enter, Escape, mnemonics) after its
// frame's accelerators have had their turn, and runs the first data exchange in its initial
// update.

#include "platform/base/Resources.h"
#include "platform/ui/CScrollView.h"

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)
public:
    using CWnd::Create;
    // The window and the template's controls; FALSE when the template is missing or a
    // control cannot be made.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    // The controls filled from the members (UpdateData(FALSE)), then the view's own update.
    void OnInitialUpdate() override;
    // A form draws nothing of its own; its controls and background do.
    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    const ResourceId& GetTemplateName() const { return m_lpszTemplateName; }

protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);

    ResourceId m_lpszTemplateName;
};
