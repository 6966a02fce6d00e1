#include "platform/gdi/TextLayout.h"

namespace platform {

namespace {

char32_t CodePointAt(std::u16string_view text, std::size_t& i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
        const char32_t cp = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                            (static_cast<char32_t>(text[i + 1]) - 0xDC00);
        ++i;
        return cp;
    }
    return c;
}

}  // namespace

void BuildTextItems(std::u16string_view text, const TextOptions& options, FontFace& font,
                    GlyphMode mode, std::vector<TextItem>& items) {
    items.clear();
    items.reserve(text.size());
    bool underlineNext = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'&' && options.prefix && !underlineNext) {
            // A lone ampersand at the very end shows nothing.
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                ++i;
                items.push_back({TextItem::Visible, false, &font.GlyphFor(U'&', mode)});
            } else {
                underlineNext = true;
            }
            continue;
        }
        const bool underline = underlineNext;
        underlineNext = false;
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (!options.singleLine)
                items.push_back({TextItem::Break, false, nullptr});
            continue;
        }
        if (c == u'\t') {
            if (options.expandTabs) {
                items.push_back({TextItem::Tab, false, nullptr});
            } else {
                items.push_back({TextItem::Blank, underline, &font.GlyphFor(U' ', mode)});
            }
            continue;
        }
        const char32_t cp = CodePointAt(text, i);
        const TextItem::Kind kind = cp == U' ' ? TextItem::Blank : TextItem::Visible;
        items.push_back({kind, underline, &font.GlyphFor(cp, mode)});
    }
}

void BreakTextLines(const std::vector<TextItem>& items, const TextOptions& options,
                    std::vector<TextLine>& lines) {
    lines.clear();
    const int n = static_cast<int>(items.size());
    if (n == 0)
        return;
    const bool wrap = options.wordBreak && !options.singleLine;
    auto isSpace = [&](int k) {
        return items[k].kind == TextItem::Blank || items[k].kind == TextItem::Tab;
    };

    int pos = 0;
    for (;;) {
        int x = 0;            // width up to the end of the last word placed
        int lineEnd = pos;    // items up to there
        bool placed = false;  // a word is on the line
        int j = pos;
        bool wrapped = false;
        while (j < n && items[j].kind != TextItem::Break) {
            const int blanksStart = j;
            int xw = x;
            while (j < n && isSpace(j)) {
                xw = items[j].kind == TextItem::Tab ? NextTabStop(xw, options.tabWidth)
                                                    : xw + items[j].Advance();
                ++j;
            }
            const int wordStart = j;
            int xe = xw;
            while (j < n && items[j].kind == TextItem::Visible) {
                xe += items[j].Advance();
                ++j;
            }
            if (j == wordStart)
                break;  // only blanks up to a break or the end
            if (wrap && placed && xe > options.width) {
                lines.push_back({pos, blanksStart, x});
                pos = wordStart;
                wrapped = true;
                break;
            }
            x = xe;
            lineEnd = j;
            placed = true;
        }
        if (wrapped)
            continue;
        lines.push_back({pos, lineEnd, x});
        if (j >= n)
            return;
        pos = j + 1;  // past the break; a break at the very end leaves one empty line
    }
}

}  // namespace platform
