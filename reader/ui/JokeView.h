#pragma once
// Shows one text, word-wrapped in the font the user chose, in a scrolling view that takes the
// place of a form's placeholder control. The text is laid out once, when it is set, onto a
// fixed 240 x 1024 surface of one bit per pixel; a paint is then one fill and one block copy
// of the visible strip, so scrolling never lays text out again.

#include "platform/base/CString.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/CScrollView.h"

class CJokeView : public CScrollView {
    DECLARE_DYNCREATE(CJokeView)
public:
    static constexpr int kSurfaceWidth = 240;
    static constexpr int kSurfaceHeight = 1024;
    static constexpr int kTextLeft = 10;

    CJokeView();
    ~CJokeView() override;

    // Renders the text off screen and sets the scroll sizes; does not repaint, so a host that
    // wants it shown at once invalidates the view afterwards. Needs the view's window.
    void SetText(const CString& text);

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // The text set last, as set.
    const CString& GetText() const { return m_strText; }
    // The off-screen surface, or null before the first SetText.
    const CDC* GetSurfaceDC() const { return m_dcMem.GetSafeHdc() != nullptr ? &m_dcMem : nullptr; }
    // The rectangle the text was drawn into: the text rectangle's width, the measured height.
    const CRect& GetTextRect() const { return m_rectText; }
    // The text rectangle's right edge before measuring: the surface less a scroll bar and a
    // half, so that the text clears the vertical bar.
    static int TextRight();

protected:
    // Deletes the font and creates it again from the FaceName and FontSize settings.
    void CreateTextFont();

    CFont m_font;
    CDC m_dcMem;
    CBitmap m_bmpMem;

private:
    CString m_strText;
    CRect m_rectText;
    // The scroll total of the text set last; kept so that the view's own initial update,
    // which the framework sends after its host has set the first text, does not take the
    // scroll bars from that text.
    CSize m_sizeText;
};
