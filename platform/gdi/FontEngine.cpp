#include "platform/gdi/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <tuple>

namespace platform {

namespace {

std::uint64_t g_renderedGlyphs = 0;

// Faces nobody holds any more stay cached up to this number, so that a font deleted and
// created again (the reader does so for every joke) finds its glyphs still rendered.
constexpr std::size_t kIdleFacesKept = 16;
// Larger requests are drawn at this em height rather than allocating giant glyphs.
constexpr int kMaxEmPixels = 1024;

// The FreeType library lives as long as the last face made with it, which may be a font
// object destroyed after the engine at exit.
struct Library {
    FT_Library handle = nullptr;
    Library() {
        if (FT_Init_FreeType(&handle) != 0)
            handle = nullptr;
    }
    ~Library() {
        if (handle)
            FT_Done_FreeType(handle);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
};

// Where fontconfig found a face for a request.
struct Resolved {
    std::string file;
    int index = 0;
    bool embolden = false;  // fontconfig asks for synthetic bold
    bool oblique = false;   // italic asked, only an upright face found
    std::string family;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

std::string GetString(FcPattern* pattern, const char* object, int id = 0) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, id, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

// A family pattern after fontconfig's substitutions. The caller destroys it.
FcPattern* SubstitutedPattern(const std::string& family, int weight, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return nullptr;
    if (!family.empty()) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    return pattern;
}

std::optional<Resolved> Match(const std::string& family, int weight, bool italic) {
    FcPattern* pattern = SubstitutedPattern(family, weight, italic);
    if (!pattern)
        return std::nullopt;
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;
    Resolved r;
    r.file = GetString(match, FC_FILE);
    FcPatternGetInteger(match, FC_INDEX, 0, &r.index);
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
        r.embolden = embolden == FcTrue;
    }
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    r.oblique = italic && slant == FC_SLANT_ROMAN;
    r.family = GetString(match, FC_FAMILY);
    FcPatternDestroy(match);
    if (r.file.empty())
        return std::nullopt;
    return r;
}

// Measures of the face's design, for turning a cell height into an em height.
struct Design {
    int unitsPerEm = 0;
    int winAscent = 0;
    int winDescent = 0;
};

Design DesignOf(FT_Face face) {
    Design d;
    d.unitsPerEm = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        d.winAscent = os2->usWinAscent;
        d.winDescent = os2->usWinDescent;
    } else {
        d.winAscent = face->ascender;
        d.winDescent = -face->descender;
    }
    return d;
}

FontMetrics MetricsOf(FT_Face face, int ppem, bool embolden, bool oblique) {
    FontMetrics m;
    m.emPixels = ppem;
    if (FT_IS_SCALABLE(face) && face->units_per_EM > 0) {
        const Design d = DesignOf(face);
        const double scale = static_cast<double>(ppem) / face->units_per_EM;
        m.ascent = std::max(1, Round(d.winAscent * scale));
        m.descent = std::max(0, Round(d.winDescent * scale));
        const int lineGap = face->height - (face->ascender - face->descender);
        const int extra =
            lineGap - ((d.winAscent + d.winDescent) - (face->ascender - face->descender));
        m.externalLeading = std::max(0, Round(extra * scale));
        m.maxCharWidth = std::max(1, Round(face->max_advance_width * scale));
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0) {
            m.aveCharWidth = std::max(1, Round(os2->xAvgCharWidth * scale));
        }
        if (os2 && os2->version != 0xFFFF)
            m.weight = os2->usWeightClass;
        m.underlinePosition = std::max(1, Round(-face->underline_position * scale));
        m.underlineThickness = std::max(1, Round(face->underline_thickness * scale));
    } else {
        const FT_Size_Metrics& s = face->size->metrics;
        m.ascent = std::max(1, static_cast<int>((s.ascender + 63) >> 6));
        m.descent = std::max(0, static_cast<int>((-s.descender + 63) >> 6));
        m.maxCharWidth = std::max(1, static_cast<int>((s.max_advance + 63) >> 6));
    }
    // Keep the underline inside the line's cell, where the text's background covers it.
    if (m.underlinePosition + m.underlineThickness > m.descent) {
        m.underlinePosition = std::max(0, m.descent - m.underlineThickness);
    }
    m.internalLeading = std::max(0, m.Height() - ppem);
    if (m.aveCharWidth == 0) {
        // No average width in the font's tables: the platform's fallback is the width of x.
        m.aveCharWidth = 1;
        if (FT_Load_Char(face, 'x', FT_LOAD_TARGET_LIGHT) == 0) {
            m.aveCharWidth = std::max(1, static_cast<int>((face->glyph->advance.x + 32) >> 6));
        }
    }
    if (embolden)
        m.weight = std::max(m.weight, 700);
    m.italic = oblique || (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    m.fixedPitch = FT_IS_FIXED_WIDTH(face) != 0;
    return m;
}

// Coverage 0 ... 255 of one pixel of a FreeType bitmap, whatever its pixel mode.
class BitmapReader {
public:
    BitmapReader(FT_Library library, const FT_Bitmap& source) : m_library(library) {
        const FT_Bitmap* bitmap = &source;
        if (source.pixel_mode != FT_PIXEL_MODE_MONO && source.pixel_mode != FT_PIXEL_MODE_GRAY) {
            FT_Bitmap_Init(&m_converted);
            if (FT_Bitmap_Convert(library, &source, &m_converted, 1) == 0) {
                bitmap = &m_converted;
                m_owned = true;
            } else {
                m_valid = false;
            }
        }
        m_mono = bitmap->pixel_mode == FT_PIXEL_MODE_MONO;
        m_grays = std::max(2, static_cast<int>(bitmap->num_grays));
        m_pitch = bitmap->pitch;
        m_top = bitmap->buffer;
        if (m_top && m_pitch < 0)
            m_top -= static_cast<std::ptrdiff_t>(bitmap->rows - 1) * m_pitch;
        if (!m_top)
            m_valid = false;
    }
    ~BitmapReader() {
        if (m_owned)
            FT_Bitmap_Done(m_library, &m_converted);
    }
    BitmapReader(const BitmapReader&) = delete;
    BitmapReader& operator=(const BitmapReader&) = delete;

    int Coverage(int x, int y) const {
        if (!m_valid)
            return 0;
        const unsigned char* row = m_top + static_cast<std::ptrdiff_t>(y) * m_pitch;
        if (m_mono)
            return ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
        if (m_grays == 256)
            return row[x];
        return std::min(255, row[x] * 255 / (m_grays - 1));
    }

private:
    FT_Library m_library;
    FT_Bitmap m_converted{};
    bool m_owned = false;
    bool m_valid = true;
    bool m_mono = false;
    int m_grays = 256;
    int m_pitch = 0;
    const unsigned char* m_top = nullptr;
};

}  // namespace

struct FontFace::Impl {
    std::shared_ptr<Library> library;
    FT_Face face = nullptr;
    std::string file;
    std::string family;
    FontMetrics metrics;
    bool embolden = false;
    bool oblique = false;

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl() {
        if (face)
            FT_Done_Face(face);
    }
};

FontFace::FontFace(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
FontFace::~FontFace() = default;
const FontMetrics& FontFace::Metrics() const {
    return m_impl->metrics;
}
const std::string& FontFace::File() const {
    return m_impl->file;
}
const std::string& FontFace::Family() const {
    return m_impl->family;
}

const Glyph& FontFace::Render(char32_t codePoint, GlyphMode mode) {
    auto& glyphs = m_glyphs[static_cast<int>(mode)];
    if (auto found = glyphs.find(codePoint); found != glyphs.end())
        return found->second;

    Glyph glyph;
    FT_Face face = m_impl->face;
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    const FT_Int32 flags = mode == GlyphMode::Mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
    if (FT_Load_Glyph(face, index, flags) == 0) {
        FT_GlyphSlot slot = face->glyph;
        if (m_impl->embolden)
            FT_GlyphSlot_Embolden(slot);
        if (m_impl->oblique && slot->format == FT_GLYPH_FORMAT_OUTLINE)
            FT_GlyphSlot_Oblique(slot);
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        bool rendered = slot->format == FT_GLYPH_FORMAT_BITMAP;
        if (!rendered) {
            rendered = FT_Render_Glyph(slot, mode == GlyphMode::Mono ? FT_RENDER_MODE_MONO
                                                                     : FT_RENDER_MODE_NORMAL) == 0;
        }
        if (rendered && slot->bitmap.width > 0 && slot->bitmap.rows > 0) {
            const BitmapReader reader(m_impl->library->handle, slot->bitmap);
            glyph.left = slot->bitmap_left;
            glyph.top = slot->bitmap_top;
            glyph.width = static_cast<int>(slot->bitmap.width);
            glyph.height = static_cast<int>(slot->bitmap.rows);
            glyph.pitch = mode == GlyphMode::Mono ? (glyph.width + 7) / 8 : glyph.width;
            glyph.pixels.assign(static_cast<std::size_t>(glyph.pitch) * glyph.height, 0);
            for (int y = 0; y < glyph.height; ++y) {
                std::uint8_t* row = glyph.pixels.data() + static_cast<std::size_t>(y) * glyph.pitch;
                for (int x = 0; x < glyph.width; ++x) {
                    const int c = reader.Coverage(x, y);
                    if (mode == GlyphMode::Gray) {
                        row[x] = static_cast<std::uint8_t>(c);
                    } else if (c >= 128) {
                        row[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
                    }
                }
            }
        }
    }
    ++g_renderedGlyphs;
    const auto [it, inserted] = glyphs.emplace(codePoint, std::move(glyph));
    if (codePoint < 256)
        m_latin1[static_cast<int>(mode)][codePoint] = &it->second;
    return it->second;
}

struct FontEngine::State {
    std::shared_ptr<Library> library = std::make_shared<Library>();
    bool fontconfig = false;
    std::map<std::tuple<std::string, int, bool>, std::optional<Resolved>> resolved;
    std::map<std::pair<std::string, int>, Design> designs;
    std::map<std::tuple<std::string, int, int, bool, bool>, std::shared_ptr<FontFace>> faces;
    std::optional<std::vector<std::string>> families;

    std::optional<Resolved> Resolve(const std::string& family, int weight, bool italic) {
        if (!fontconfig)
            return std::nullopt;
        auto key = std::make_tuple(Lower(family), weight, italic);
        auto found = resolved.find(key);
        if (found == resolved.end()) {
            found = resolved.emplace(std::move(key), Match(family, weight, italic)).first;
        }
        return found->second;
    }

    // Opens a face file; null when FreeType cannot read it.
    FT_Face OpenFile(const Resolved& r) {
        if (!library->handle)
            return nullptr;
        FT_Face face = nullptr;
        if (FT_New_Face(library->handle, r.file.c_str(), r.index, &face) != 0)
            return nullptr;
        return face;
    }

    std::optional<Design> DesignFor(const Resolved& r) {
        const auto key = std::make_pair(r.file, r.index);
        if (auto found = designs.find(key); found != designs.end())
            return found->second;
        FT_Face face = OpenFile(r);
        if (!face)
            return std::nullopt;
        const Design d = DesignOf(face);
        FT_Done_Face(face);
        designs.emplace(key, d);
        return d;
    }

    std::shared_ptr<FontFace> OpenAt(const Resolved& r, int height) {
        int ppem = kDefaultEmPixels;
        if (height < 0) {
            ppem = height < -kMaxEmPixels ? kMaxEmPixels : -height;
        } else if (height > 0) {
            const auto design = DesignFor(r);
            if (!design)
                return nullptr;
            const int cell = design->winAscent + design->winDescent;
            ppem = cell > 0 ? Round(static_cast<double>(std::min(height, 4 * kMaxEmPixels)) *
                                    design->unitsPerEm / cell)
                            : height;
        }
        ppem = std::clamp(ppem, 1, kMaxEmPixels);

        const auto key = std::make_tuple(r.file, r.index, ppem, r.embolden, r.oblique);
        if (auto found = faces.find(key); found != faces.end())
            return found->second;

        auto impl = std::make_unique<FontFace::Impl>();
        impl->face = OpenFile(r);
        if (!impl->face)
            return nullptr;
        impl->library = library;
        FT_Face face = impl->face;
        if (FT_IS_SCALABLE(face)) {
            if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)) != 0)
                return nullptr;
        } else if (face->num_fixed_sizes > 0) {
            int best = 0;
            for (int i = 1; i < face->num_fixed_sizes; ++i) {
                if (std::abs(face->available_sizes[i].height - ppem) <
                    std::abs(face->available_sizes[best].height - ppem)) {
                    best = i;
                }
            }
            if (FT_Select_Size(face, best) != 0)
                return nullptr;
        } else {
            return nullptr;
        }
        impl->file = r.file;
        impl->family = r.family;
        impl->embolden = r.embolden;
        impl->oblique = r.oblique;
        impl->metrics = MetricsOf(face, ppem, r.embolden, r.oblique);
        auto result = std::make_shared<FontFace>(std::move(impl));
        Trim();
        faces.emplace(key, result);
        return result;
    }

    void Trim() {
        for (auto it = faces.begin(); it != faces.end() && faces.size() >= kIdleFacesKept;) {
            it = it->second.use_count() == 1 ? faces.erase(it) : std::next(it);
        }
    }
};

FontEngine& FontEngine::Instance() {
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() : m_state(std::make_unique<State>()) {
    m_state->fontconfig = FcInit() == FcTrue;
}

FontEngine::~FontEngine() {
    // Faces still held by font objects keep the FreeType library alive on their own; nothing
    // of fontconfig's is held past a call, so its caches can go now.
    const bool fontconfig = m_state->fontconfig;
    m_state.reset();
    if (fontconfig)
        FcFini();
}

std::shared_ptr<FontFace> FontEngine::Open(const FontRequest& request) {
    std::string family = request.family;
    if (family.empty() || Lower(family) == "system")
        family = kSystemFamily;
    const int weight = request.weight <= 0 ? 400 : std::clamp(request.weight, 1, 1000);
    for (const std::string& name : {family, std::string("sans-serif")}) {
        const auto resolved = m_state->Resolve(name, weight, request.italic);
        if (!resolved)
            continue;
        if (auto face = m_state->OpenAt(*resolved, request.height))
            return face;
    }
    return nullptr;
}

bool FontEngine::HasFamilyOrMetricAlias(const std::string& family) {
    if (!m_state->fontconfig || family.empty())
        return false;
    FcPattern* pattern = SubstitutedPattern(family, 400, false);
    if (!pattern)
        return false;
    // The names fontconfig binds strongly are the request and its metric-compatible aliases;
    // the weakly bound rest are general fallbacks.
    std::set<std::string> strong;
    FcValue value;
    FcValueBinding binding;
    for (int id = 0;
         FcPatternGetWithBinding(pattern, FC_FAMILY, id, &value, &binding) == FcResultMatch; ++id) {
        if (value.type == FcTypeString && binding != FcValueBindingWeak) {
            strong.insert(Lower(reinterpret_cast<const char*>(value.u.s)));
        }
    }
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    bool found = false;
    for (int id = 0; !found; ++id) {
        const std::string name = GetString(match, FC_FAMILY, id);
        if (name.empty())
            break;
        found = strong.count(Lower(name)) != 0;
    }
    FcPatternDestroy(match);
    return found;
}

std::vector<std::string> FontEngine::Families() {
    if (m_state->families)
        return *m_state->families;
    std::vector<std::string> names;
    if (m_state->fontconfig) {
        FcPattern* pattern = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, nullptr);
        if (pattern && objects) {
            FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
            if (FcFontSet* set = FcFontList(nullptr, pattern, objects)) {
                for (int i = 0; i < set->nfont; ++i) {
                    // A face may carry its family in several languages; the English names (or
                    // the first, where none is marked English) are the ones a user picks.
                    std::vector<std::string> english;
                    for (int id = 0;; ++id) {
                        const std::string name = GetString(set->fonts[i], FC_FAMILY, id);
                        if (name.empty())
                            break;
                        const std::string lang = GetString(set->fonts[i], FC_FAMILYLANG, id);
                        if (lang.empty() || lang == "en")
                            english.push_back(name);
                    }
                    if (english.empty())
                        english.push_back(GetString(set->fonts[i], FC_FAMILY));
                    for (auto& name : english)
                        names.push_back(std::move(name));
                }
                FcFontSetDestroy(set);
            }
        }
        if (objects)
            FcObjectSetDestroy(objects);
        if (pattern)
            FcPatternDestroy(pattern);
        for (const char* known : {"Arial", "Courier New", "Times New Roman", kSystemFamily}) {
            if (HasFamilyOrMetricAlias(known))
                names.emplace_back(known);
        }
    }
    std::erase_if(names, [](const std::string& name) {
        // The platform's face names hold 31 UTF-16 units: one per UTF-8 sequence, two for the
        // four-byte ones.
        std::size_t units = 0;
        for (const unsigned char c : name) {
            if ((c & 0xC0) != 0x80)
                units += c >= 0xF0 ? 2 : 1;
        }
        return name.empty() || units > 31;
    });
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = Lower(a), lb = Lower(b);
        return la != lb ? la < lb : a < b;
    });
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) {
                                return Lower(a) == Lower(b);
                            }),
                names.end());
    m_state->families = names;
    return names;
}

std::uint64_t FontEngine::RenderedGlyphCount() {
    return g_renderedGlyphs;
}

}  // namespace platform
