#pragma once

#include "picture/ItemPicture.h"

#include <QImage>

namespace award {

// A small picture of the LEDs an item's picture lights, as the 節目表 shows it
// beside the file's name: the sign's width at most, two pixels a LED.
QImage PictureThumbnail(const ItemPicture& picture);

}  // namespace award
