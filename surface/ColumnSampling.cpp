#include "surface/ColumnSampling.h"

#include "sign/SignGeometry.h"
#include "surface/DrawingSurface.h"

#include <QImage>

#include <algorithm>

namespace award {

ColumnWords SampleColumnWords(const DrawingSurface& surface, FirstScanRow firstScanRow) {
    ColumnWords words{};
    const QImage& image = surface.Image();
    for (int n = 0; n < kSignRows; ++n) {
        const int y = SurfaceRow(firstScanRow) + n;
        if (y < 0 || y >= image.height()) continue;
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int column = 1; column <= kSignColumns && column < image.width(); ++column)
            if ((line[column] & 0x00FFFFFF) == 0) words[column - 1] |= static_cast<std::uint16_t>(1u << n);
    }
    return words;
}

std::vector<std::uint16_t> ScanLine(DrawingSurface& surface, QStringView line, FirstScanRow firstScanRow) {
    SetUpForSigns(surface);
    const QImage strip = surface.DrawLine(line);
    std::vector<std::uint16_t> words(static_cast<std::size_t>(std::max(strip.width(), 0)), 0);
    for (int n = 0; n < kSignRows; ++n) {
        const int y = SurfaceRow(firstScanRow) + n;
        if (y < 0 || y >= strip.height()) continue;
        const uchar* bits = strip.constScanLine(y);
        for (std::size_t x = 0; x < words.size(); ++x)
            if (bits[x >> 3] & (0x80 >> (x & 7))) words[x] |= static_cast<std::uint16_t>(1u << n);
    }
    return words;
}

void SetUpForSigns(DrawingSurface& surface) {
    surface.SetScaleMode(DrawingSurface::Pixels);
    surface.SetFontSize(kCharacterPoints);
}

ColumnWords ScanText(DrawingSurface& surface, QStringView text, FirstScanRow firstScanRow) {
    surface.Cls();
    surface.Print(text);
    return SampleColumnWords(surface, firstScanRow);
}

}  // namespace award
