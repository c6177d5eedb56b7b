#include "conversion/ColumnWords.h"

#include "surface/DrawingSurface.h"

#include <QImage>

namespace award {

ColumnWords SampleColumnWords(const DrawingSurface& surface, int firstScanRow) {
    ColumnWords words{};
    const QImage& image = surface.Image();
    for (int n = 0; n < kSignRows; ++n) {
        const int y = firstScanRow + n;
        if (y < 0 || y >= image.height()) continue;
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int column = 1; column <= kSignColumns && column < image.width(); ++column) {
            if ((line[column] & 0x00FFFFFF) == 0)
                words[column - 1] |= static_cast<std::uint16_t>(1u << n);
        }
    }
    return words;
}

}  // namespace award
