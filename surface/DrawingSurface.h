#pragma once

#include "surface/FaceResolver.h"
#include "surface/FontStyle.h"
#include "surface/GlyphRenderer.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace award {

// The picture area the run draws each phrase on and reads back. It is an
// off-screen image at 96 pixels per inch, which the window shows; drawing never
// depends on the screen, its scale factor or the desktop's font settings.
//
// Coordinates are in ScaleMode units with the origin at the top-left corner of
// the drawing area; colours are RGB values with red in the low byte.
class DrawingSurface {
public:
    // The drawing area inside the two-pixel border of the 81 x 33 pixel picture box.
    static constexpr int kWidth = 77;
    static constexpr int kHeight = 29;

    static constexpr std::int32_t kBlack = 0x000000;
    // The light grey of a picture area; glyphs are the only pure black.
    static constexpr std::int32_t kBackground = 0xF0F0F0;
    static constexpr std::int32_t kOutside = -1;

    // ScaleMode values: twips, points, pixels, inches, millimetres, centimetres.
    enum Scale { Twips = 1, Points = 2, Pixels = 3, Inches = 5, Millimetres = 6, Centimetres = 7 };

    DrawingSurface();

    int ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int mode);  // throws std::invalid_argument for an unknown unit
    double CurrentX() const { return currentX_; }
    void SetCurrentX(double x) { currentX_ = x; }
    double CurrentY() const { return currentY_; }
    void SetCurrentY(double y) { currentY_ = y; }

    QString FontName() const { return fontName_; }
    void SetFontName(const QString& name) { fontName_ = name; }
    void SetFontSize(double points);  // throws std::invalid_argument unless 1 to 2048 points
    void SetFontBold(bool bold) { fontBold_ = bold; }
    void SetFontItalic(bool italic) { fontItalic_ = italic; }
    // Face, bold and italic at once, as a run is asked for them.
    void SetStyle(const FontStyle& style);

    // Fills the drawing area with the background and moves to (0, 0).
    void Cls();
    // Draws text in black with the top-left corner of its first character cell at
    // the drawing position, then moves to the start of the next line.
    void Print(QStringView text);
    // The text as one line of any length, drawn as Print draws a line at the
    // top of the surface but without its left margin, on a strip of its own
    // as tall as the surface: a one-bit image (QImage::Format_Mono, bit 1 for
    // ink) with a column for every pixel column the line's pen passes or inks.
    QImage DrawLine(QStringView text);

    // The colour at (x, y), or -1 outside the drawing area.
    std::int32_t Point(double x, double y) const;
    // Sets one pixel; outside the drawing area it does nothing.
    void PSet(double x, double y, std::int32_t colour);

    // The rightmost pixel column that the last Print inked, counted also where
    // it lies right of the drawing area (up to the first character there: a
    // line stops being drawn once it has passed the surface); -1 when it
    // inked nothing.
    int LastPrintInkRight() const { return lastPrintInkRight_; }
    // The characters of the last Print or DrawLine that the chosen face has
    // no glyph for, once each, in the order they came; those that draw nothing
    // anyway (controls, invisible formatting characters) are never among them.
    const std::vector<char32_t>& LastMissingGlyphs() const { return lastMissing_; }

    // The pixels, for showing them and for reading many at once.
    const QImage& Image() const { return image_; }

    // The installed face that draws FontName, if any face is installed at all.
    std::optional<InstalledFace> ResolvedFace() { return Resolve(fontName_); }
    // True when that face has Chinese glyphs.
    bool DrawsChinese();

    // Rows from the top of a character cell down to the top of the em: glyphs of
    // a 12-point line fill rows 3 to 18.
    int CellLeading() const;
    // Columns from the left of a character cell to the pen position. Most Ming
    // glyphs start right at their pen position, and column 0 never reaches the
    // sign, so a line printed at x = 0 starts one column in at 12 points: its
    // first four characters then cover columns 1 to 64, the sign's width.
    int CellLeftMargin() const;

private:
    double PixelsPerUnit() const;
    // The pixel of the drawing area at (x, y) in ScaleMode units; nothing outside it.
    std::optional<QPoint> PixelAt(double x, double y) const;
    void PrepareGlyphs();
    // Walks the text's drawable characters from pen position penX, handing on
    // each glyph with the column of its left edge and the pen position after
    // it, for as long as `place` returns true.
    template <class Place>
    void PlaceGlyphs(QStringView text, qsizetype penX, Place place);
    const std::optional<InstalledFace>& Resolve(const QString& name);
    // The glyph to draw for c, noting it when the chosen face lacks it.
    const GlyphImage& GlyphNoting(char32_t c);

    QImage image_;
    int scaleMode_ = Twips;
    double currentX_ = 0;
    double currentY_ = 0;
    QString fontName_ = kMingFaceName;
    double fontSize_ = 9;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    int lastPrintInkRight_ = -1;
    std::vector<char32_t> lastMissing_;
    GlyphRenderer glyphs_;
    std::map<QString, std::optional<InstalledFace>> resolved_;
};

}  // namespace award
