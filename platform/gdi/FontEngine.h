#pragma once
// The font engine: fontconfig finds a face for a name, FreeType renders its glyphs, at 96 dots
// per inch. This header and FontEngine.cpp are the only code that knows either library, so a
// port to another system replaces these two files.
//
// A FontFace is one face file at one pixel size. The engine keeps faces in a cache keyed by
// (file, face index, pixel size, synthetic styles) and hands out shared pointers, so fonts
// that ask for the same thing share one face and its glyphs. Each face renders a glyph at most
// once per mode and keeps it. The engine is used from the user-interface thread only.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

// The measures of a face at its pixel size, as TEXTMETRIC reports them.
struct FontMetrics {
    int emPixels = 0;
    int ascent = 0;  // tmHeight = ascent + descent
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 1;  // rows from the baseline down to the underline's first row
    int underlineThickness = 1;
    int weight = 400;
    bool italic = false;
    bool fixedPitch = false;
    int Height() const { return ascent + descent; }
};

// Monochrome glyphs for 1-bpp targets, 8-bit coverage for anti-aliasing on 32 bpp. The two are
// hinted differently, so their advances may differ by a pixel; a context measures and draws in
// the mode of its own target.
enum class GlyphMode { Mono = 0, Gray = 1 };

// One rendered glyph, placed relative to the pen position on the baseline.
struct Glyph {
    int advance = 0;  // pixels to the next pen position
    int left = 0;     // from the pen position to the first column
    int top = 0;      // from the baseline up to the first row
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes per row of pixels
    // Mono: 1 bit per pixel, most significant bit leftmost. Gray: one coverage byte per pixel.
    std::vector<std::uint8_t> pixels;
};

class FontFace {
public:
    struct Impl;
    explicit FontFace(std::unique_ptr<Impl> impl);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FontMetrics& Metrics() const;
    const std::string& File() const;
    const std::string& Family() const;  // the family of the face actually used

    // The glyph of a code point in a mode, rendered on first use. A code point the face lacks
    // gets the face's missing-glyph box. The reference stays valid as long as the face.
    const Glyph& GlyphFor(char32_t codePoint, GlyphMode mode) {
        if (codePoint < 256) {
            const Glyph* fast = m_latin1[static_cast<int>(mode)][codePoint];
            if (fast)
                return *fast;
        }
        return Render(codePoint, mode);
    }

private:
    const Glyph& Render(char32_t codePoint, GlyphMode mode);

    std::unique_ptr<Impl> m_impl;
    std::array<std::unordered_map<char32_t, Glyph>, 2> m_glyphs;
    std::array<std::array<const Glyph*, 256>, 2> m_latin1{};
};

// What a caller asks for; the height follows LOGFONT::lfHeight (negative: em height in pixels,
// positive: cell height, zero: the default size).
struct FontRequest {
    std::string family;  // UTF-8; "System" and "" mean the system font's family
    int height = 0;
    int weight = 400;  // 0 counts as 400
    bool italic = false;
};

class FontEngine {
public:
    // The em height of the system font and of a request with height 0: 8 points at 96 dpi.
    static constexpr int kDefaultEmPixels = 11;
    // The face the platform draws its own text in, before fontconfig's substitutions.
    static constexpr const char* kSystemFamily = "Tahoma";

    static FontEngine& Instance();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // The face for a request: the named family, a metric-compatible face where fontconfig
    // maps one, else fontconfig's default sans. Null only when no usable font is installed.
    std::shared_ptr<FontFace> Open(const FontRequest& request);

    // The scalable families fontconfig knows, each once, sorted by name without regard to
    // letter case; plus the well-known names (Arial, Courier New, Times New Roman, Tahoma) that
    // fontconfig maps to an installed metric-compatible face. Names longer than the platform's
    // 31-character face-name limit are left out, since a truncated name would find no face.
    std::vector<std::string> Families();

    // True when fontconfig has a face for the family itself or a metric-compatible one.
    bool HasFamilyOrMetricAlias(const std::string& family);

    // How many glyph images have been rendered since the start: a test hook for the cache.
    static std::uint64_t RenderedGlyphCount();

private:
    FontEngine();
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace platform
