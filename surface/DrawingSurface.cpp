#include "surface/DrawingSurface.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace award {
namespace {

QRgb ToQRgb(std::int32_t colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

std::int32_t FromQRgb(QRgb rgb) { return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16); }

// Reads the code point at i and moves past it; a lone surrogate reads as the
// replacement character.
char32_t NextCodePoint(QStringView text, qsizetype& i) {
    const char16_t unit = text[i++].unicode();
    if (QChar::isHighSurrogate(unit) && i < text.size() && text[i].isLowSurrogate())
        return QChar::surrogateToUcs4(unit, text[i++].unicode());
    if (QChar::isSurrogate(unit)) return 0xFFFD;
    return unit;
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// Unicode's Default_Ignorable_Code_Point (DerivedCoreProperties.txt, 15.0):
// characters that a renderer shows as nothing when it has no glyph for them.
// Text pasted from word processors and web pages is full of them.
bool IsDefaultIgnorable(char32_t c) {
    static constexpr std::pair<char32_t, char32_t> kRanges[] = {
        {0x00AD, 0x00AD}, {0x034F, 0x034F}, {0x061C, 0x061C}, {0x115F, 0x1160},  {0x17B4, 0x17B5},
        {0x180B, 0x180F}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x206F},  {0x3164, 0x3164},
        {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8},  {0x1BCA0, 0x1BCA3},
        {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
    };
    return std::ranges::any_of(kRanges, [c](const auto& range) { return c >= range.first && c <= range.second; });
}

}  // namespace

DrawingSurface::DrawingSurface() : image_(kWidth, kHeight, QImage::Format_RGB32) {
    // 96 dots per inch, in dots per metre.
    image_.setDotsPerMeterX(3780);
    image_.setDotsPerMeterY(3780);
    image_.fill(ToQRgb(kBackground));
}

void DrawingSurface::SetScaleMode(int mode) {
    switch (mode) {
    case Twips: case Points: case Pixels: case Inches: case Millimetres: case Centimetres:
        scaleMode_ = mode;
        return;
    default:
        throw std::invalid_argument("ScaleMode " + std::to_string(mode) + " is not a known unit");
    }
}

void DrawingSurface::SetFontSize(double points) {
    if (!(points >= 1.0 && points <= 2048.0))
        throw std::invalid_argument("FontSize must lie between 1 and 2048 points");
    fontSize_ = points;
}

double DrawingSurface::PixelsPerUnit() const {
    switch (scaleMode_) {
    case Twips: return 1.0 / 15.0;
    case Points: return 96.0 / 72.0;
    case Inches: return 96.0;
    case Millimetres: return 96.0 / 25.4;
    case Centimetres: return 96.0 / 2.54;
    default: return 1.0;
    }
}

void DrawingSurface::SetStyle(const FontStyle& style) {
    SetFontName(style.face);
    SetFontBold(style.bold);
    SetFontItalic(style.italic);
}

void DrawingSurface::Cls() {
    image_.fill(ToQRgb(kBackground));
    currentX_ = 0;
    currentY_ = 0;
}

const std::optional<InstalledFace>& DrawingSurface::Resolve(const QString& name) {
    if (auto it = resolved_.find(name); it != resolved_.end()) return it->second;
    return resolved_.emplace(name, ResolveFace(name)).first->second;
}

bool DrawingSurface::DrawsChinese() {
    PrepareGlyphs();
    return glyphs_.ChosenFaceDrawsChinese();
}

void DrawingSurface::PrepareGlyphs() {
    // Characters the chosen face lacks come from the other Chinese face, so a
    // Kai banner with a rare character still shows it.
    std::vector<InstalledFace> faces;
    for (const QString& name : {fontName_, kMingFaceName, kKaiFaceName}) {
        const auto& face = Resolve(name);
        if (face && std::ranges::find(faces, *face) == faces.end()) faces.push_back(*face);
    }
    glyphs_.SetFaces(faces);
    glyphs_.SetStyle(fontSize_ * 96.0 / 72.0, fontBold_, fontItalic_);
}

int DrawingSurface::CellLeading() const {
    // Three rows at 16 pixels to the em, in proportion at other sizes.
    return static_cast<int>(std::lround(glyphs_.EmPixels() * 3.0 / 16.0));
}

int DrawingSurface::CellLeftMargin() const {
    return static_cast<int>(std::lround(glyphs_.EmPixels() / 16.0));
}

template <class Place>
void DrawingSurface::PlaceGlyphs(QStringView text, qsizetype penX, Place place) {
    for (qsizetype i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (IsControl(c) || IsDefaultIgnorable(c)) continue;
        const GlyphImage& glyph = GlyphNoting(c);
        const qsizetype left = penX + glyph.left;
        penX += glyph.advance;
        if (!place(glyph, left, penX)) return;
    }
}

void DrawingSurface::Print(QStringView text) {
    PrepareGlyphs();
    const double scale = PixelsPerUnit();
    const int baseline = static_cast<int>(std::floor(currentY_ * scale)) + CellLeading() + glyphs_.EmAscent();
    const int penX = static_cast<int>(std::floor(currentX_ * scale)) + CellLeftMargin();
    const auto black = ToQRgb(kBlack);
    lastPrintInkRight_ = -1;
    lastMissing_.clear();
    // Once the pen is past it, nothing more of the line can reach the surface.
    const int lastPen = kWidth + glyphs_.EmPixels();

    if (penX <= lastPen) {
        PlaceGlyphs(text, penX, [&](const GlyphImage& glyph, qsizetype glyphLeft, qsizetype penAfter) {
            const int left = static_cast<int>(glyphLeft);
            if (glyph.inkRight < 0) return penAfter <= lastPen;
            lastPrintInkRight_ = std::max(lastPrintInkRight_, left + glyph.inkRight);
            if (left >= kWidth) return penAfter <= lastPen;
            const int top = baseline - glyph.top;
            for (int y = std::max(0, -top); y < glyph.rows && top + y < kHeight; ++y) {
                auto* line = reinterpret_cast<QRgb*>(image_.scanLine(top + y));
                for (int x = std::max(0, -left); x < glyph.width && left + x < kWidth; ++x)
                    if (glyph.Inked(x, y)) line[left + x] = black;
            }
            return penAfter <= lastPen;
        });
    }
    const int lineHeight = CellLeading() + glyphs_.EmPixels() + glyphs_.EmDescent();
    currentX_ = 0;
    currentY_ += lineHeight / scale;
}

QImage DrawingSurface::DrawLine(QStringView text) {
    PrepareGlyphs();
    lastMissing_.clear();
    qsizetype width = 0;
    PlaceGlyphs(text, 0, [&](const GlyphImage& glyph, qsizetype left, qsizetype penAfter) {
        width = std::max({width, penAfter, left + glyph.inkRight + 1});
        return true;
    });
    QImage strip(static_cast<int>(width), kHeight, QImage::Format_Mono);
    if (strip.isNull()) return strip;
    strip.setColorTable({ToQRgb(kBackground), ToQRgb(kBlack)});
    strip.fill(0);
    const int baseline = CellLeading() + glyphs_.EmAscent();
    PlaceGlyphs(text, 0, [&](const GlyphImage& glyph, qsizetype left, qsizetype) {
        for (int y = 0; y < glyph.rows; ++y) {
            const int row = baseline - glyph.top + y;
            if (row < 0 || row >= kHeight) continue;
            uchar* bits = strip.scanLine(row);
            for (int x = 0; x < glyph.width; ++x) {
                const qsizetype column = left + x;
                if (column >= 0 && glyph.Inked(x, y)) bits[column >> 3] |= static_cast<uchar>(0x80 >> (column & 7));
            }
        }
        return true;
    });
    return strip;
}

const GlyphImage& DrawingSurface::GlyphNoting(char32_t c) {
    const GlyphImage& glyph = glyphs_.Glyph(c);
    // A line rarely lacks more than a few characters, so a look through them is quick.
    if (!glyph.inChosenFace && std::ranges::find(lastMissing_, c) == lastMissing_.end())
        lastMissing_.push_back(c);
    return glyph;
}

std::optional<QPoint> DrawingSurface::PixelAt(double x, double y) const {
    const double px = std::floor(x * PixelsPerUnit());
    const double py = std::floor(y * PixelsPerUnit());
    if (!(px >= 0 && py >= 0 && px < kWidth && py < kHeight)) return std::nullopt;
    return QPoint(static_cast<int>(px), static_cast<int>(py));
}

std::int32_t DrawingSurface::Point(double x, double y) const {
    const auto pixel = PixelAt(x, y);
    return pixel ? FromQRgb(image_.pixel(*pixel)) : kOutside;
}

void DrawingSurface::PSet(double x, double y, std::int32_t colour) {
    if (const auto pixel = PixelAt(x, y)) image_.setPixel(*pixel, ToQRgb(colour));
}

}  // namespace award
