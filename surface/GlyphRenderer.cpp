#include "surface/GlyphRenderer.h"

#include "surface/StrokeInk.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <ranges>
#include <stdexcept>
#include <utility>

namespace award {
namespace {

// How far italic rows lean: a row moves one pixel right for every this many
// rows above the bottom of the em, so at 16 pixels the upper half leans by one.
// Any steeper, and a bold italic glyph has to give up more of its columns to
// stay within its advance (FitIntoAdvance).
constexpr int kRowsPerSlantPixel = 8;

// Coverage (of 255) from which an outline pixel counts as ink.
constexpr int kInkCoverage = 80;

// How much bold widens an outline's strokes, in 26.6 pixels, across the rows
// and along them: half a pixel and an eighth. AddBoldInk takes only the pixels
// that keep the regular weight's strokes apart and its counters open.
constexpr FT_Pos kBoldAcross = 32;
constexpr FT_Pos kBoldAlong = 8;
// Bold takes a pixel from a little more coverage than the regular weight:
// the lightly covered ones clog a 16-pixel glyph more than they thicken it.
constexpr int kBoldInkCoverage = 100;

// Where the pixels that keep thin strokes whole are added, the cut lies a
// little higher, which keeps the strokes' edges from running into their
// neighbours.
constexpr int kStrokeInkCoverage = 90;

// Outlines are drawn this many times finer as well, to see which of their
// strokes hang together; up to kStrokeKeepingMaxPixels to the em, beyond
// which strokes are wide enough for the threshold alone.
constexpr int kFineScale = 4;
constexpr double kStrokeKeepingMaxPixels = 48.0;

// The outline's coverage over the width x rows pixels whose bottom-left corner
// is (left, bottom), on a grid `scale` times finer than the pixels; empty when
// FreeType cannot draw it.
Coverage CoverageOf(FT_Library library, const FT_Outline& source, int left, int bottom, int width, int rows,
                    int scale) {
    Coverage coverage;
    coverage.width = width * scale;
    coverage.rows = rows * scale;
    coverage.values.assign(static_cast<std::size_t>(coverage.width) * coverage.rows, 0);
    FT_Outline outline{};
    if (FT_Outline_New(library, static_cast<FT_UInt>(source.n_points), source.n_contours, &outline) != 0) return {};
    FT_Outline_Copy(&source, &outline);
    FT_Outline_Translate(&outline, -static_cast<FT_Pos>(left) * 64, -static_cast<FT_Pos>(bottom) * 64);
    if (scale != 1) {
        const FT_Matrix matrix{static_cast<FT_Fixed>(scale) << 16, 0, 0, static_cast<FT_Fixed>(scale) << 16};
        FT_Outline_Transform(&outline, &matrix);
    }
    FT_Bitmap bitmap{};
    bitmap.width = static_cast<unsigned>(coverage.width);
    bitmap.rows = static_cast<unsigned>(coverage.rows);
    bitmap.pitch = coverage.width;
    bitmap.pixel_mode = FT_PIXEL_MODE_GRAY;
    bitmap.num_grays = 256;
    bitmap.buffer = coverage.values.data();
    const bool drawn = FT_Outline_Get_Bitmap(library, &outline, &bitmap) == 0;
    FT_Outline_Done(library, &outline);
    return drawn ? coverage : Coverage{};
}

// The share of the em below the baseline; CJK faces put about an eighth of the
// ideographic em there.
constexpr double kEmDescentShare = 0.125;

// Rows the outline touches too lightly to ink are dropped from the image, so
// that only rows that hold ink count when the glyph is fitted into the em.
void TrimBlankRows(GlyphImage& glyph) {
    const auto blank = [&](int y) {
        const auto row = glyph.ink.begin() + static_cast<std::ptrdiff_t>(y) * glyph.width;
        return std::none_of(row, row + glyph.width, [](std::uint8_t v) { return v != 0; });
    };
    int first = 0, last = glyph.rows - 1;
    while (first <= last && blank(first)) ++first;
    while (last >= first && blank(last)) --last;
    if (first > last) {
        glyph.width = glyph.rows = 0;
        glyph.ink.clear();
        return;
    }
    glyph.ink.erase(glyph.ink.begin() + static_cast<std::ptrdiff_t>(last + 1) * glyph.width, glyph.ink.end());
    glyph.ink.erase(glyph.ink.begin(), glyph.ink.begin() + static_cast<std::ptrdiff_t>(first) * glyph.width);
    glyph.top -= first;
    glyph.rows = last - first + 1;
}

// The glyph `extra` columns wider, each row's ink moved right by shift(y)
// and, for `smear`, one column further too.
template <class Shift>
void Widen(GlyphImage& glyph, int extra, Shift shift, bool smear) {
    if (glyph.rows == 0) return;
    const int width = glyph.width + extra;
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < glyph.width; ++x) {
            if (!glyph.Inked(x, y)) continue;
            const auto at = static_cast<std::size_t>(y * width + x + shift(y));
            ink[at] = 1;
            if (smear) ink[at + 1] = 1;
        }
    glyph.width = width;
    glyph.ink = std::move(ink);
}

// The glyph with each inked column x moved to column to(x) of an image
// `width` columns wide; columns that meet keep the ink of both.
template <class To>
void MoveColumns(GlyphImage& glyph, int width, To to) {
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (glyph.Inked(x, y)) ink[static_cast<std::size_t>(y * width + to(x))] = 1;
    glyph.width = width;
    glyph.ink = std::move(ink);
}

// Of the lines first to last of a glyph (rows or columns), the one most like
// the line before it, as differ(i) counts the pixels in which line i and line
// i - 1 differ; of those alike, the one nearest the middle.
template <class Differ>
int MostAlikeNeighbour(int first, int last, Differ differ) {
    const auto offMiddle = [&](int i) { return std::abs(2 * i - (first + last + 1)); };
    int best = first + 1;
    int bestDifference = std::numeric_limits<int>::max();
    for (int i = first + 1; i <= last; ++i) {
        const int difference = differ(i);
        if (difference < bestDifference || (difference == bestDifference && offMiddle(i) < offMiddle(best))) {
            best = i;
            bestDifference = difference;
        }
    }
    return best;
}

}  // namespace

struct GlyphRenderer::Library {
    // A face file that did not open, as it was then: opened again once it changes.
    struct Unopened {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Unopened&) const = default;
    };

    // FreeType reads an open face from its file's bytes, mapped rather than
    // opened by name: on Windows FreeType takes a name in the ANSI code page,
    // which cannot spell every user's fonts folder (陳喆's, say).
    struct Opened {
        std::unique_ptr<QFile> file;
        FT_Face face = nullptr;
    };

    FT_Library ft = nullptr;
    std::map<std::pair<QString, int>, Opened> faces;
    std::map<std::pair<QString, int>, Unopened> unopened;

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
        for (auto& [key, opened] : faces) FT_Done_Face(opened.face);
        FT_Done_FreeType(ft);
    }

    static Unopened StampOf(const QString& file) {
        const QFileInfo info(file);
        return {info.exists() ? info.size() : -1, info.lastModified()};
    }

    FT_Face Open(const InstalledFace& installed) {
        const auto key = std::pair(installed.file, installed.index);
        if (auto it = faces.find(key); it != faces.end()) return it->second.face;
        if (unopened.contains(key)) return nullptr;
        auto file = std::make_unique<QFile>(installed.file);
        const uchar* bytes = file->open(QIODevice::ReadOnly) && file->size() > 0 ? file->map(0, file->size()) : nullptr;
        FT_Face face = nullptr;
        if (!bytes || FT_New_Memory_Face(ft, bytes, static_cast<FT_Long>(file->size()), installed.index, &face) != 0) {
            unopened[key] = StampOf(installed.file);
            return nullptr;
        }
        faces.emplace(key, Opened{std::move(file), face});
        return face;
    }

    // Forgets the faces that did not open and whose files have changed since,
    // a face installed or mended while the program runs; true if there were any.
    bool ForgetChangedUnopened() {
        return std::erase_if(unopened, [](const auto& entry) { return StampOf(entry.first.first) != entry.second; }) > 0;
    }
};

GlyphRenderer::GlyphRenderer() : lib_(std::make_unique<Library>()) {}
GlyphRenderer::~GlyphRenderer() = default;
GlyphRenderer::GlyphRenderer(GlyphRenderer&&) noexcept = default;
GlyphRenderer& GlyphRenderer::operator=(GlyphRenderer&&) noexcept = default;

void GlyphRenderer::SetFaces(const std::vector<InstalledFace>& faces) {
    // A face that could not be opened is tried again once its file changes,
    // and the glyphs drawn without it are drawn anew.
    if (lib_->ForgetChangedUnopened()) cache_.clear();
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
    // A face that lacks the character, or whose glyph FreeType fails to draw,
    // leaves it to the next; the character is then not the chosen face's.
    FT_Face firstOpened = nullptr;
    for (std::size_t at = 0; at < faces_.size(); ++at) {
        FT_Face candidate = lib_->Open(faces_[at]);
        if (!candidate) continue;
        if (!firstOpened) firstOpened = candidate;
        const FT_UInt index = FT_Get_Char_Index(candidate, codePoint);
        if (index == 0) continue;
        if (std::optional<GlyphImage> glyph = Draw(candidate, index)) {
            glyph->inChosenFace = at == 0;
            return *std::move(glyph);
        }
    }
    // What no face draws is shown by the missing-glyph symbol of the chosen face.
    GlyphImage missing = (firstOpened ? Draw(firstOpened, 0) : std::nullopt).value_or(GlyphImage{});
    missing.inChosenFace = false;
    return missing;
}

std::optional<GlyphImage> GlyphRenderer::Draw(FT_FaceRec_* face, unsigned index) const {
    GlyphImage glyph;
    // 26.6 fixed point at 96 dpi; a face with a bitmap strike of this size
    // gets it, and its hand-tuned bitmaps are drawn instead of the outlines.
    const auto size = static_cast<FT_F26Dot6>(std::lround(pixelsPerEm_ * 64.0 * 72.0 / 96.0));
    if (FT_Set_Char_Size(face, 0, size, 96, 96) != 0) return std::nullopt;
    // The auto-hinter is used whatever hinting the face carries, so faces and
    // desktops cannot change the result.
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_NORMAL | FT_LOAD_FORCE_AUTOHINT) != 0) return std::nullopt;
    const FT_GlyphSlot slot = face->glyph;
    const bool outline = slot->format == FT_GLYPH_FORMAT_OUTLINE;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (outline) {
        if (!DrawOutline(slot, glyph)) return std::nullopt;
    } else {
        if (slot->format != FT_GLYPH_FORMAT_BITMAP) return std::nullopt;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
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
    }
    FitIntoEm(glyph);
    // A face's own bitmap is thickened after the fact, by one pixel.
    if (bold_ && !outline) Embolden(glyph);
    if (italic_) Slant(glyph);
    FitIntoAdvance(glyph);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = glyph.width - 1; x > glyph.inkRight; --x)
            if (glyph.Inked(x, y)) glyph.inkRight = x;
    return glyph;
}

// Outlines are drawn with coverage and cut at kInkCoverage: a one-bit
// rasteriser breaks a Kai face's thin strokes into specks. At the sign's sizes
// the outline is drawn finer too, and the pixels that keep its strokes whole
// are added; bold then adds what an emboldened outline covers as far as that
// keeps the strokes apart (StrokeInk.h).
bool GlyphRenderer::DrawOutline(FT_GlyphSlotRec_* slot, GlyphImage& glyph) const {
    const FT_Library library = slot->library;
    const FT_Outline& regular = slot->outline;
    FT_Outline bold{};
    if (bold_) {
        if (FT_Outline_New(library, static_cast<FT_UInt>(regular.n_points), regular.n_contours, &bold) != 0)
            return false;
        FT_Outline_Copy(&regular, &bold);
        FT_Outline_EmboldenXY(&bold, kBoldAcross, kBoldAlong);
    }
    const auto doneWithBold = qScopeGuard([&] { if (bold_) FT_Outline_Done(library, &bold); });
    // The bold outline holds the regular one, so its box holds both.
    FT_BBox box;
    FT_Outline_Get_CBox(bold_ ? &bold : &regular, &box);
    const int left = static_cast<int>(box.xMin >> 6), bottom = static_cast<int>(box.yMin >> 6);
    const int width = static_cast<int>((box.xMax + 63) >> 6) - left;
    const int rows = static_cast<int>((box.yMax + 63) >> 6) - bottom;
    if (regular.n_points == 0 || width <= 0 || rows <= 0) return true;  // a blank glyph, as a space
    const Coverage coverage = CoverageOf(library, regular, left, bottom, width, rows, 1);
    if (coverage.values.empty()) return false;
    std::vector<std::uint8_t> ink;
    if (pixelsPerEm_ <= kStrokeKeepingMaxPixels) {
        const Coverage fine = CoverageOf(library, regular, left, bottom, width, rows, kFineScale);
        if (fine.values.empty()) return false;
        ink = InkKeepingStrokes(coverage, fine, kFineScale, kStrokeInkCoverage);
    } else {
        for (const std::uint8_t value : coverage.values) ink.push_back(value >= kInkCoverage ? 1 : 0);
    }
    if (bold_) {
        const Coverage thicker = CoverageOf(library, bold, left, bottom, width, rows, 1);
        if (thicker.values.empty()) return false;
        AddBoldInk(ink, thicker, kBoldInkCoverage);
    }
    glyph.left = left;
    glyph.top = bottom + rows;
    glyph.width = width;
    glyph.rows = rows;
    glyph.ink = std::move(ink);
    TrimBlankRows(glyph);
    return true;
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
        const int best = MostAlikeNeighbour(0, glyph.rows - 1, [&](int y) {
            int difference = 0;
            for (int x = 0; x < glyph.width; ++x) difference += at(x, y) != at(x, y - 1);
            return difference;
        });
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

// Most full-width glyphs of a face's own bitmaps hold 15 columns of ink in
// their 16, and bold and italic add a column each: four such characters from
// the sign's column 1 would light a 65th. So a full-width glyph keeps within its advance: ink wider than the advance has
// its two most alike neighbouring columns merged into one until it fits (a
// bold stroke's two columns, or two columns of the same horizontal strokes,
// which keeps every stroke), and ink past either edge moves back inside.
void GlyphRenderer::FitIntoAdvance(GlyphImage& glyph) const {
    if (glyph.rows == 0 || glyph.advance < emPixels_) return;
    const auto inked = [&](int x) {
        return std::ranges::any_of(std::views::iota(0, glyph.rows), [&](int y) { return glyph.Inked(x, y); });
    };
    int first = 0, last = glyph.width - 1;
    while (first <= last && !inked(first)) ++first;
    while (last >= first && !inked(last)) --last;
    if (first > last || (glyph.left + first >= 0 && glyph.left + last < glyph.advance)) return;
    MoveColumns(glyph, last - first + 1, [&](int x) { return x - first; });
    glyph.left += first;
    while (glyph.width > glyph.advance) {
        const int merged = MostAlikeNeighbour(0, glyph.width - 1, [&](int x) {
            int difference = 0;
            for (int y = 0; y < glyph.rows; ++y) difference += glyph.Inked(x, y) != glyph.Inked(x - 1, y);
            return difference;
        });
        MoveColumns(glyph, glyph.width - 1, [&](int x) { return x < merged ? x : x - 1; });
    }
    glyph.left = std::clamp(glyph.left, 0, glyph.advance - glyph.width);
}

// Bold widens every stroke of a bitmap glyph by one pixel to the right. The
// advance stays, so four bold characters still fit the sign's 64 columns.
void GlyphRenderer::Embolden(GlyphImage& glyph) const { Widen(glyph, 1, [](int) { return 0; }, true); }

// Italic leans rows to the right in proportion to their height above the
// bottom of the em; the bottom row stays put so nothing moves left of the pen,
// and FitIntoAdvance takes back what leans past the advance.
void GlyphRenderer::Slant(GlyphImage& glyph) const {
    const auto shiftOf = [&](int y) {
        const int rowsAboveBottom = EmDescent() - 1 + glyph.top - y;
        return std::max(0, rowsAboveBottom) / kRowsPerSlantPixel;
    };
    Widen(glyph, shiftOf(0), shiftOf, false);
}

}  // namespace award
