#include "StrokeFigures.h"

#include <QFile>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

namespace award::test {
namespace {

// Counts groups of set cells in a width x height grid, joined through the
// eight neighbours or, with `diagonals` false, through the four.
template <class IsSet>
int CountGroups(int width, int height, IsSet isSet, bool diagonals = true) {
    std::vector<char> seen(static_cast<std::size_t>(width) * height, 0);
    std::vector<std::pair<int, int>> stack;
    int groups = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!isSet(x, y) || seen[static_cast<std::size_t>(y * width + x)]) continue;
            ++groups;
            stack.assign(1, {x, y});
            seen[static_cast<std::size_t>(y * width + x)] = 1;
            while (!stack.empty()) {
                const auto [cx, cy] = stack.back();
                stack.pop_back();
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = cx + dx, ny = cy + dy;
                        if (nx < 0 || ny < 0 || nx >= width || ny >= height || (!diagonals && dx && dy)) continue;
                        auto& mark = seen[static_cast<std::size_t>(ny * width + nx)];
                        if (mark || !isSet(nx, ny)) continue;
                        mark = 1;
                        stack.emplace_back(nx, ny);
                    }
            }
        }
    return groups;
}

bool Lit(const LedGrid& leds, int x, int y) {
    return x >= 0 && y >= 0 && x < 64 && y < 16 && leds[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

}  // namespace

QStringList AwardPhrases() {
    QFile file(QStringLiteral(AWARD_TEST_DATA_DIR "/award_phrases.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList phrases;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.isEmpty() && !line.startsWith(u'#')) phrases << line;
    return phrases;
}

LedGrid ScanLeds(DrawingSurface& surface, const QString& phrase) {
    surface.SetScaleMode(DrawingSurface::Pixels);
    surface.SetFontSize(12);
    surface.Cls();
    surface.Print(phrase);
    LedGrid leds{};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            leds[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] =
                surface.Point(x + 1, y + 3) == DrawingSurface::kBlack;
    return leds;
}

int IsolatedLeds(const LedGrid& leds) {
    int isolated = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            if (!Lit(leds, x, y)) continue;
            bool alone = true;
            for (int dy = -1; dy <= 1 && alone; ++dy)
                for (int dx = -1; dx <= 1 && alone; ++dx)
                    if ((dx || dy) && Lit(leds, x + dx, y + dy)) alone = false;
            isolated += alone;
        }
    return isolated;
}

int LitLeds(const LedGrid& leds) {
    int lit = 0;
    for (const auto& row : leds) lit += static_cast<int>(row.count());
    return lit;
}

int LitGroups(const LedGrid& leds) {
    return CountGroups(64, 16, [&](int x, int y) { return Lit(leds, x, y); });
}

int Counters(const LedGrid& leds) {
    // A dark frame around the sign joins all the open dark LEDs into one group.
    return CountGroups(66, 18, [&](int x, int y) { return !Lit(leds, x - 1, y - 1); }, false) - 1;
}

int OutlineGroups(const InstalledFace& installed, char32_t c) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return -1;
    int groups = -1;
    FT_Face face = nullptr;
    if (FT_New_Face(library, installed.file.toLocal8Bit().constData(), installed.index, &face) == 0) {
        const FT_UInt index = FT_Get_Char_Index(face, c);
        if (index != 0 && FT_Set_Pixel_Sizes(face, 0, 64) == 0 &&
            FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0 &&
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_Bitmap& bitmap = face->glyph->bitmap;
            groups = CountGroups(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows),
                                 [&](int x, int y) { return bitmap.buffer[y * bitmap.pitch + x] >= 128; });
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return groups;
}

}  // namespace award::test
