#pragma once

#include "surface/FaceResolver.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;
struct FT_GlyphSlotRec_;

namespace award {

// One glyph as a one-bit image, placed relative to the pen position on the baseline.
struct GlyphImage {
    int left = 0;     // columns from the pen position to the first column of the image
    int top = 0;      // rows from the baseline up to the first row of the image
    int width = 0;
    int rows = 0;
    int advance = 0;  // how far the pen moves, in pixels
    int inkRight = -1;  // last image column holding ink, -1 for a blank glyph
    // False when the chosen face has no glyph for the character, and another
    // face or the chosen face's missing-glyph symbol stands in; also when the
    // chosen face has one but FreeType could not draw it.
    bool inChosenFace = true;
    std::vector<std::uint8_t> ink;  // width * rows, row by row; 1 marks a drawn pixel

    bool Inked(int x, int y) const { return ink[static_cast<std::size_t>(y * width + x)] != 0; }
};

// Draws characters as one-bit glyph images with FreeType, at 96 pixels per inch.
// Everything that decides a pixel is set here (hinting mode, ink threshold,
// use of a face's own bitmaps, synthetic bold and italic), so the same text gives
// the same pixels whatever the desktop's font settings are.
class GlyphRenderer {
public:
    GlyphRenderer();
    ~GlyphRenderer();
    GlyphRenderer(const GlyphRenderer&) = delete;
    GlyphRenderer& operator=(const GlyphRenderer&) = delete;
    GlyphRenderer(GlyphRenderer&&) noexcept;
    GlyphRenderer& operator=(GlyphRenderer&&) noexcept;

    // The faces tried in turn for each character; the first is the chosen face.
    // A face file that does not open is passed over until the file changes.
    void SetFaces(const std::vector<InstalledFace>& faces);
    void SetStyle(double pixelsPerEm, bool bold, bool italic);

    // The glyph for a code point, from the first face that has it, or the chosen
    // face's missing-glyph symbol. Cached until the faces or the style change.
    const GlyphImage& Glyph(char32_t codePoint);

    // The whole em as rows: those above the baseline and those below it.
    int EmAscent() const { return emAscent_; }
    int EmDescent() const { return emPixels_ - emAscent_; }
    int EmPixels() const { return emPixels_; }

    // True when the chosen face has glyphs for common Chinese characters.
    bool ChosenFaceDrawsChinese();

private:
    struct Library;
    GlyphImage Render(char32_t codePoint);
    // The face's glyph at the current style, or nothing when FreeType fails.
    std::optional<GlyphImage> Draw(FT_FaceRec_* face, unsigned index) const;
    bool DrawOutline(FT_GlyphSlotRec_* slot, GlyphImage& glyph) const;
    void FitIntoEm(GlyphImage& glyph) const;
    void Embolden(GlyphImage& glyph) const;
    void Slant(GlyphImage& glyph) const;
    void FitIntoAdvance(GlyphImage& glyph) const;

    std::unique_ptr<Library> lib_;
    std::vector<InstalledFace> faces_;
    double pixelsPerEm_ = 16.0;
    int emPixels_ = 16;
    int emAscent_ = 14;
    bool bold_ = false;
    bool italic_ = false;
    std::unordered_map<char32_t, GlyphImage> cache_;
};

}  // namespace award
