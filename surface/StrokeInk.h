#pragma once

#include <cstdint>
#include <vector>

namespace award {

// How much of each pixel of a grid a glyph's outline covers, 0 to 255, row by
// row from the top.
struct Coverage {
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> values;

    int At(int x, int y) const { return values[static_cast<std::size_t>(y * width + x)]; }
};

// The glyph's ink at the size of `coarse`: the pixels covered from
// `inkCoverage` on, plus the fewest further pixels, of the highest coverage,
// that keep together each stroke that is whole in `fine`, the same outline
// drawn `scale` times finer over the same area. A stroke too thin for the
// threshold keeps its best pixels, and no stroke is left as a lone pixel.
// One byte per coarse pixel, 1 for ink.
std::vector<std::uint8_t> InkKeepingStrokes(const Coverage& coarse, const Coverage& fine, int scale,
                                            int inkCoverage);

// Bold: `ink` gains the pixels that `bold`, the emboldened outline's coverage
// over the same area, covers from `inkCoverage` on, where each leaves every
// stroke joined to what it was joined to and apart from the rest, and every
// counter closed and not filled.
void AddBoldInk(std::vector<std::uint8_t>& ink, const Coverage& bold, int inkCoverage);

}  // namespace award
