// Text output and measurement of CDC.

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/TextMetrics.h"

using platform::FontFace;
using platform::FontMetrics;
using platform::Glyph;
using platform::GlyphMode;
using platform::TextItem;
using platform::TextLine;

namespace {

// What drawing a run of text needs; built once per call.
struct Pen {
    const DcState::Target& target;
    FontFace& face;
    GlyphMode mode;
    const FontMetrics& metrics;
    std::uint32_t textValue;  // the text colour in the target's format
    std::uint32_t textRgb;
    CRect clip;  // surface coordinates

    void DrawGlyph(const platform::Glyph& g, int penX, int baseline) const {
        if (g.width == 0 || g.height == 0)
            return;
        const int x = penX + g.left, y = baseline - g.top;
        if (mode == GlyphMode::Mono) {
            target.surface->FillMask1(x, y, g.pixels.data(), g.pitch, g.width, g.height, textValue,
                                      clip);
        } else {
            target.surface->BlendMask8(x, y, g.pixels.data(), g.pitch, g.width, g.height, textRgb,
                                       clip);
        }
    }
    void Underline(int x1, int x2, int baseline) const {
        Bar(x1, x2, baseline + metrics.underlinePosition);
    }
    void StrikeOut(int x1, int x2, int baseline) const {
        Bar(x1, x2, baseline - metrics.ascent / 3);
    }
    void Bar(int x1, int x2, int top) const {
        CRect r(x1, top, x2, top + metrics.underlineThickness);
        r &= clip;
        if (!r.IsRectEmpty())
            target.surface->Fill(r, textValue);
    }
    // The text's background in OPAQUE mode: its cell, in surface coordinates.
    void Background(CRect cell, COLORREF color) const {
        cell &= clip;
        if (!cell.IsRectEmpty())
            target.surface->Fill(cell, target.surface->DeviceValue(color));
    }
};

// Advances of plain text (TextOut and the extents): a line break shows nothing and a tab is
// one blank, the same rule as DrawText without DT_EXPANDTABS; a surrogate pair is one glyph,
// counted at its second unit.
template <class Visit>
void ForEachUnit(std::u16string_view text, FontFace& face, GlyphMode mode, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            visit(i, static_cast<const Glyph*>(nullptr));
            continue;
        }
        char32_t cp = c == u'\t' ? U' ' : c;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                 (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            visit(i, static_cast<const Glyph*>(nullptr));
            ++i;
        }
        visit(i, &face.GlyphFor(cp, mode));
    }
}

std::u16string_view ViewOf(LPCTSTR text, int count) {
    if (!text)
        return {};
    return count < 0 ? std::u16string_view(text)
                     : std::u16string_view(text, static_cast<std::size_t>(count));
}

std::u16string_view ViewOf(const CString& text, int count) {
    std::u16string_view view = text.View();
    if (count >= 0 && static_cast<std::size_t>(count) < view.size())
        view = view.substr(0, static_cast<std::size_t>(count));
    return view;
}

int DrawTextIn(DcState& s, std::u16string_view text, LPRECT lpRect, UINT nFormat) {
    FontFace* face = s.Face();
    if (!lpRect || !face)
        return 0;
    const GlyphMode mode = s.Mode();
    const FontMetrics& m = face->Metrics();
    const int lineHeight = m.Height();
    const CRect rect(*lpRect);

    platform::TextOptions options;
    options.prefix = (nFormat & DT_NOPREFIX) == 0;
    options.singleLine = (nFormat & DT_SINGLELINE) != 0;
    options.expandTabs = (nFormat & DT_EXPANDTABS) != 0;
    options.wordBreak = (nFormat & DT_WORDBREAK) != 0;
    options.width = rect.Width();
    options.tabWidth = 8 * m.aveCharWidth;
    platform::BuildTextItems(text, options, *face, mode, s.items);
    platform::BreakTextLines(s.items, options, s.lines);

    int widest = 0;
    for (const TextLine& line : s.lines)
        widest = std::max(widest, line.width);
    const int textHeight = static_cast<int>(s.lines.size()) * lineHeight;
    if (nFormat & DT_CALCRECT) {
        lpRect->right = lpRect->left + widest;
        lpRect->bottom = lpRect->top + textHeight;
        return textHeight;
    }

    int top = rect.top;
    if (options.singleLine && (nFormat & DT_VCENTER))
        top = rect.top + (rect.Height() - lineHeight) / 2;
    if (options.singleLine && (nFormat & DT_BOTTOM))
        top = rect.bottom - lineHeight;
    const int result = options.singleLine && (nFormat & (DT_VCENTER | DT_BOTTOM))
                           ? top - rect.top + textHeight
                           : textHeight;

    const auto target = s.GetTarget();
    if (!target)
        return result;
    CRect clip = target->clip;
    if (!(nFormat & DT_NOCLIP))
        clip &= rect + target->offset;
    if (clip.IsRectEmpty())
        return result;
    const Pen pen{*target,
                  *face,
                  mode,
                  m,
                  target->surface->DeviceValue(s.attrs.textColor),
                  platform::Surface::ToRgb(s.attrs.textColor),
                  clip};
    const LOGFONT* lf = s.LogFont();

    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        const TextLine& line = s.lines[i];
        const int y = top + static_cast<int>(i) * lineHeight + target->offset.y;
        if (y >= clip.bottom)
            break;
        if (y + lineHeight <= clip.top)
            continue;
        int x = rect.left;
        if (nFormat & DT_CENTER)
            x = rect.left + (rect.Width() - line.width) / 2;
        if (nFormat & DT_RIGHT)
            x = rect.right - line.width;
        x += target->offset.x;
        if (s.attrs.bkMode == OPAQUE) {
            pen.Background(CRect(x, y, x + line.width, y + lineHeight), s.attrs.bkColor);
        }
        const int baseline = y + m.ascent;
        int penX = x;
        for (int k = line.first; k < line.last; ++k) {
            const TextItem& item = s.items[static_cast<std::size_t>(k)];
            if (item.kind == TextItem::Tab) {
                penX = x + platform::NextTabStop(penX - x, options.tabWidth);
                continue;
            }
            if (item.kind == TextItem::Visible)
                pen.DrawGlyph(*item.glyph, penX, baseline);
            if (item.underline)
                pen.Underline(penX, penX + item.Advance(), baseline);
            penX += item.Advance();
        }
        if (lf && lf->lfUnderline)
            pen.Underline(x, x + line.width, baseline);
        if (lf && lf->lfStrikeOut)
            pen.StrikeOut(x, x + line.width, baseline);
    }
    return result;
}

}  // namespace

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return m_state ? DrawTextIn(*m_state, ViewOf(lpszString, nCount), lpRect, nFormat) : 0;
}

int CDC::DrawText(const CString& str, int nCount, LPRECT lpRect, UINT nFormat) {
    return m_state ? DrawTextIn(*m_state, ViewOf(str, nCount), lpRect, nFormat) : 0;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
    return ExtTextOut(x, y, 0, nullptr, lpszString, static_cast<UINT>(std::max(nCount, 0)),
                      nullptr);
}

BOOL CDC::TextOut(int x, int y, const CString& str) {
    return ExtTextOut(x, y, 0, nullptr, str, nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                     LPINT lpDxWidths) {
    return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()),
                      lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths) {
    if (!m_state)
        return FALSE;
    const auto target = m_state->GetTarget();
    if (!target)
        return FALSE;
    const std::u16string_view text = ViewOf(lpszString, lpszString ? static_cast<int>(nCount) : 0);

    if ((nOptions & ETO_OPAQUE) && lpRect) {
        CRect r(*lpRect);
        r.OffsetRect(target->offset);
        r &= target->clip;
        if (!r.IsRectEmpty())
            target->surface->Fill(r, target->surface->DeviceValue(m_state->attrs.bkColor));
    }
    FontFace* face = m_state->Face();
    if (!face || text.empty())
        return TRUE;

    const GlyphMode mode = m_state->Mode();
    const FontMetrics& m = face->Metrics();
    CRect clip = target->clip;
    if ((nOptions & ETO_CLIPPED) && lpRect)
        clip &= CRect(*lpRect) + target->offset;
    const Pen pen{*target,
                  *face,
                  mode,
                  m,
                  target->surface->DeviceValue(m_state->attrs.textColor),
                  platform::Surface::ToRgb(m_state->attrs.textColor),
                  clip};

    // Positions first, so that the background goes under every glyph.
    std::vector<std::pair<const Glyph*, int>> run;
    run.reserve(text.size());
    int width = 0;
    ForEachUnit(text, *face, mode, [&](std::size_t i, const Glyph* g) {
        if (g)
            run.emplace_back(g, width);
        width += lpDxWidths ? lpDxWidths[i] : (g ? g->advance : 0);
    });
    const CPoint origin = CPoint(x, y) + target->offset;
    if (m_state->attrs.bkMode == OPAQUE) {
        pen.Background(CRect(origin.x, origin.y, origin.x + width, origin.y + m.Height()),
                       m_state->attrs.bkColor);
    }
    const int baseline = origin.y + m.ascent;
    for (const auto& [glyph, offset] : run)
        pen.DrawGlyph(*glyph, origin.x + offset, baseline);
    const LOGFONT* lf = m_state->LogFont();
    if (lf && lf->lfUnderline)
        pen.Underline(origin.x, origin.x + width, baseline);
    if (lf && lf->lfStrikeOut)
        pen.StrikeOut(origin.x, origin.x + width, baseline);
    return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
    SIZE size{0, 0};
    GetTextExtentExPoint(lpszString, std::max(nCount, 0), 0, nullptr, nullptr, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const {
    return GetTextExtent(str.GetString(), str.GetLength());
}

BOOL CDC::GetTextExtentExPoint(LPCTSTR lpszString, int nCount, int nMaxExtent, LPINT lpnFit,
                               LPINT alpDx, SIZE* lpSize) const {
    FontFace* face = m_state ? m_state->Face() : nullptr;
    if (!face)
        return FALSE;
    const std::u16string_view text = ViewOf(lpszString, lpszString ? std::max(nCount, 0) : 0);
    int extent = 0, fit = 0;
    bool fitting = true;
    ForEachUnit(text, *face, m_state->Mode(), [&](std::size_t i, const Glyph* g) {
        extent += g ? g->advance : 0;
        if (alpDx)
            alpDx[i] = extent;
        if (fitting && extent <= nMaxExtent) {
            fit = static_cast<int>(i) + 1;
        } else {
            fitting = false;
        }
    });
    if (lpnFit)
        *lpnFit = fit;
    if (lpSize)
        *lpSize = SIZE{extent, face->Metrics().Height()};
    return TRUE;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const {
    FontFace* face = m_state ? m_state->Face() : nullptr;
    if (!face || !lpMetrics)
        return FALSE;
    *lpMetrics = platform::MakeTextMetric(face->Metrics(), m_state->LogFont());
    return TRUE;
}
