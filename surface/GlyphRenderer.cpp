#include "surface/GlyphRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>

namespace award {
namespace {

// How far italic rows lean: a row moves one pixel right for every this many
// rows above the bottom of the em, so at 16 pixels the upper half leans by one.
// Any steeper, and the fourth character of a bold italic phrase loses its
// right edge past column 64.
constexpr int kRowsPerSlantPixel = 8;

// Coverage (of 255) from which an outline pixel counts as ink.
constexpr int kInkCoverage = 80;

// How much bold widens an outline's strokes, in 26.6 pixels: three eighths of
// a pixel darkens a 16-pixel Kai glyph without closing its counters.
constexpr FT_Pos kBoldOutlineStrength = 24;

// The share of the em below the baseline; CJK faces put about an eighth of the
// ideographic em there.
constexpr double kEmDescentShare = 0.125;

}  // namespace

struct GlyphRenderer::Library {
    FT_Library ft = nullptr;
    std::map<std::pair<QString, int>, FT_Face> faces;

    Library() {
        if (FT_Init_FreeType(&ft) != 0) throw std::runtime_error("FreeType could not start");
        // FREETYPE_PROPERTIES in the environment may pick another TrueType
        // interpreter or darken stems; the glyphs must not depend on it.
        FT_UInt interpreter = TT_INTERPRETER_VERSION_40;
        FT_Property_Set(ft, "truetype", "interpreter-version", &interpreter);
        FT_Bool noStemDarkening = 1;
        for (const char* module : {"autofitter", "cff", "type1", "t1cid"})
            FT_Property_Set(ft, module, "no-stem-darkening", &noStemDarkening);
    }
    ~Library() {
        for (auto& [key, face] : faces) FT_Done_Face(face);
        FT_Done_FreeType(ft);
    }

    FT_Face Open(const InstalledFace& installed) {
        const auto key = std::pair(installed.file, installed.index);
        if (auto it = faces.find(key); it != faces.end()) return it->second;
        FT_Face face = nullptr;
        if (FT_New_Face(ft, installed.file.toLocal8Bit().constData(), installed.index, &face) != 0)
            face = nullptr;
        faces.emplace(key, face);
        return face;
    }
};

GlyphRenderer::GlyphRenderer() : lib_(std::make_unique<Library>()) {}
GlyphRenderer::~GlyphRenderer() = default;
GlyphRenderer::GlyphRenderer(GlyphRenderer&&) noexcept = default;
GlyphRenderer& GlyphRenderer::operator=(GlyphRenderer&&) noexcept = default;

void GlyphRenderer::SetFaces(const std::vector<InstalledFace>& faces) {
    if (faces == faces_) return;
    faces_ = faces;
    cache_.clear();
}

void GlyphRenderer::SetStyle(double pixelsPerEm, bool bold, bool italic) {
    if (pixelsPerEm == pixelsPerEm_ && bold == bold_ && italic == italic_) return;
    pixelsPerEm_ = pixelsPerEm;
    emPixels_ = std::max(1, static_cast<int>(std::lround(pixelsPerEm)));
    emAscent_ = emPixels_ - static_cast<int>(std::lround(emPixels_ * kEmDescentShare));
    bold_ = bold;
    italic_ = italic;
    cache_.clear();
}

const GlyphImage& GlyphRenderer::Glyph(char32_t codePoint) {
    if (auto it = cache_.find(codePoint); it != cache_.end()) return it->second;
    return cache_.emplace(codePoint, Render(codePoint)).first->second;
}

bool GlyphRenderer::ChosenFaceDrawsChinese() {
    if (faces_.empty()) return false;
    FT_Face face = lib_->Open(faces_.front());
    // 國 and 一 stand for the ideographs a banner is made of.
    return face && FT_Get_Char_Index(face, 0x570B) != 0 && FT_Get_Char_Index(face, 0x4E00) != 0;
}

GlyphImage GlyphRenderer::Render(char32_t codePoint) {
    FT_Face face = nullptr;
    FT_UInt index = 0;
    for (const auto& installed : faces_) {
        FT_Face candidate = lib_->Open(installed);
        if (!candidate) continue;
        if (!face) face = candidate;  // the chosen face draws what no face has
        if (FT_UInt found = FT_Get_Char_Index(candidate, codePoint); found != 0) {
            face = candidate;
            index = found;
            break;
        }
    }
    GlyphImage glyph;
    if (!face) return glyph;
    glyph.inChosenFace = index != 0 && face == lib_->Open(faces_.front());

    // 26.6 fixed point at 96 dpi; a face with a bitmap strike of this size
    // gets it, and its hand-tuned bitmaps are drawn instead of the outlines.
    const auto size = static_cast<FT_F26Dot6>(std::lround(pixelsPerEm_ * 64.0 * 72.0 / 96.0));
    if (FT_Set_Char_Size(face, 0, size, 96, 96) != 0) return glyph;
    // Outlines are rendered with coverage and cut at kInkCoverage: at 16 pixels
    // to the em that keeps the thin strokes of a Kai face, which a one-bit
    // rasteriser breaks into specks. The auto-hinter is used whatever hinting
    // the face carries, so faces and desktops cannot change the result.
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_NORMAL | FT_LOAD_FORCE_AUTOHINT) != 0) return glyph;
    const bool outline = face->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
    // Bold thickens an outline before it is rasterised, so strokes keep their
    // gaps; a face's own bitmap is thickened afterwards, by one pixel.
    if (bold_ && outline) FT_Outline_EmboldenXY(&face->glyph->outline, kBoldOutlineStrength, 0);
    if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;

    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.ink.assign(static_cast<std::size_t>(glyph.width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            const bool inked = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                   ? (row[x >> 3] & (0x80 >> (x & 7))) != 0
                                   : row[x] >= kInkCoverage;
            glyph.ink[static_cast<std::size_t>(y * glyph.width + x)] = inked ? 1 : 0;
        }
    }
    FitIntoEm(glyph);
    if (bold_ && !outline) Embolden(glyph);
    if (italic_) Slant(glyph);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = glyph.width - 1; x > glyph.inkRight; --x)
            if (glyph.Inked(x, y)) glyph.inkRight = x;
    return glyph;
}

// A few full-width glyphs reach one row above or below the em. Where such a
// glyph has room on the other side, it moves back inside, so that a 16-row sign
// shows every stroke of it. The rare glyph taller than the em first has its two
// most alike neighbouring rows merged into one, which keeps every stroke.
void GlyphRenderer::FitIntoEm(GlyphImage& glyph) const {
    if (glyph.rows == 0 || glyph.advance < emPixels_) return;
    while (glyph.rows > emPixels_) {
        const auto at = [&](int x, int y) -> std::uint8_t& {
            return glyph.ink[static_cast<std::size_t>(y * glyph.width + x)];
        };
        int best = 1;
        int bestDifference = glyph.width + 1;
        for (int y = 1; y < glyph.rows; ++y) {
            int difference = 0;
            for (int x = 0; x < glyph.width; ++x) difference += at(x, y) != at(x, y - 1);
            const bool nearerMiddle =
                std::abs(2 * y - glyph.rows) < std::abs(2 * best - glyph.rows);
            if (difference < bestDifference || (difference == bestDifference && nearerMiddle)) {
                best = y;
                bestDifference = difference;
            }
        }
        for (int x = 0; x < glyph.width; ++x) at(x, best - 1) |= at(x, best);
        const auto row = glyph.ink.begin() + static_cast<std::ptrdiff_t>(best) * glyph.width;
        glyph.ink.erase(row, row + glyph.width);
        --glyph.rows;
        if (best < glyph.top) --glyph.top;  // the merged row lay above the baseline
    }
    const int overTop = glyph.top - emAscent_;
    const int overBottom = (glyph.rows - glyph.top) - EmDescent();
    if (overTop > 0 && overBottom < 0) glyph.top -= std::min(overTop, -overBottom);
    if (overBottom > 0 && overTop < 0) glyph.top += std::min(overBottom, -overTop);
}

// Bold widens every stroke of a bitmap glyph by one pixel to the right. The
// advance stays, so four bold characters still fit the sign's 64 columns.
void GlyphRenderer::Embolden(GlyphImage& glyph) const {
    if (glyph.rows == 0) return;
    const int width = glyph.width + 1;
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool here = x < glyph.width && glyph.Inked(x, y);
            const bool left = x > 0 && glyph.Inked(x - 1, y);
            ink[static_cast<std::size_t>(y * width + x)] = (here || left) ? 1 : 0;
        }
    }
    glyph.width = width;
    glyph.ink = std::move(ink);
}

// Italic leans rows to the right in proportion to their height above the
// bottom of the em; the bottom row stays put so nothing moves left of the pen.
void GlyphRenderer::Slant(GlyphImage& glyph) const {
    if (glyph.rows == 0) return;
    const auto shiftOf = [&](int y) {
        const int rowsAboveBottom = EmDescent() - 1 + glyph.top - y;
        return std::max(0, rowsAboveBottom) / kRowsPerSlantPixel;
    };
    const int extra = shiftOf(0);
    const int width = glyph.width + extra;
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
        const int shift = shiftOf(y);
        for (int x = 0; x < glyph.width; ++x)
            ink[static_cast<std::size_t>(y * width + x + shift)] = glyph.Inked(x, y) ? 1 : 0;
    }
    glyph.width = width;
    glyph.ink = std::move(ink);
}

}  // namespace award
