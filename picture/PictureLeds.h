#pragma once

#include "picture/ItemPicture.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace award {

// The grey level that parts the picture's greys over the ground best into
// dark and light (Otsu's method): pixels darker than it are the dark ones.
// Transparent parts count as the ground, so that a logo of one colour on
// nothing stands apart from it. A picture of one grey level is parted at
// the middle grey.
int OtsuThreshold(const QImage& rows, bool inverted);

// The picture's LEDs, a word a column (bit n lights the LED n rows down):
// seen pixels darker than the threshold are lit, or, inverted, the others;
// a transparent pixel is always dark. No picture has no columns.
std::vector<std::uint16_t> PictureColumns(const ItemPicture& picture);

}  // namespace award
