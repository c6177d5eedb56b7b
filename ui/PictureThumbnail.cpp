#include "ui/PictureThumbnail.h"

#include "picture/PictureLeds.h"
#include "sign/SignGeometry.h"
#include "ui/SignColours.h"

#include <algorithm>

namespace award {

QImage PictureThumbnail(const ItemPicture& picture) {
    constexpr int kPixelsPerLed = 2;
    const std::vector<std::uint16_t> columns = PictureColumns(picture);
    const int shown = std::min(static_cast<int>(columns.size()), kSignColumns);
    QImage leds(shown, kSignRows, QImage::Format_RGB32);
    if (leds.isNull()) return leds;
    for (int x = 0; x < shown; ++x)
        for (int y = 0; y < kSignRows; ++y)
            leds.setPixelColor(x, y, columns[std::size_t(x)] >> y & 1 ? colours::kLedOn : colours::kLedOff);
    return leds.scaled(shown * kPixelsPerLed, kSignRows * kPixelsPerLed);
}

}  // namespace award
