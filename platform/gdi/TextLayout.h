#pragma once
// DrawText's layout, apart from any drawing: the text becomes items (prefix ampersands
// resolved, line breaks and tabs recognised, surrogate pairs joined), and the items become
// lines, word-wrapped at blanks where asked.

#include <string_view>
#include <vector>

#include "platform/gdi/FontEngine.h"

namespace platform {

struct TextItem {
    enum Kind : std::uint8_t { Visible, Blank, Tab, Break };
    Kind kind;
    bool underline;      // the character after a single prefix ampersand
    const Glyph* glyph;  // Visible and Blank
    int Advance() const { return glyph ? glyph->advance : 0; }
};

struct TextLine {
    int first;  // items [first, last)
    int last;
    int width;  // pixels, without the blanks at its end
};

struct TextOptions {
    bool prefix = true;       // & marks a mnemonic, && is one ampersand
    bool singleLine = false;  // line breaks in the text are ignored
    bool expandTabs = false;  // tabs advance to the next tab stop, else they are one blank
    bool wordBreak = false;   // wrap at blanks to fit width
    int width = 0;
    int tabWidth = 8;  // pixels between tab stops
};

// Items for text in font at mode. With singleLine, line breaks are dropped.
void BuildTextItems(std::u16string_view text, const TextOptions& options, FontFace& font,
                    GlyphMode mode, std::vector<TextItem>& items);

// The next pen position after a tab at x (relative to the line's start).
inline int NextTabStop(int x, int tabWidth) {
    return tabWidth > 0 ? (x / tabWidth + 1) * tabWidth : x;
}

// Lines of the items. Every line break in the text ends a line, so "a\n" is two lines and an
// empty text none. With wordBreak, a line ends before the word that would cross width and the
// blanks at the break are dropped; a word wider than a whole line stays unbroken on a line of
// its own and overflows it.
void BreakTextLines(const std::vector<TextItem>& items, const TextOptions& options,
                    std::vector<TextLine>& lines);

}  // namespace platform
