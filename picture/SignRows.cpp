#include "picture/SignRows.h"

#include "sign/SignGeometry.h"

#include <algorithm>
#include <cmath>

namespace award {

QImage SignRows(const QImage& picture) {
    if (picture.isNull()) return {};
    if (picture.height() == kSignRows) return picture.convertToFormat(QImage::Format_ARGB32);
    const auto width = std::max(1L, std::lround(double(picture.width()) * kSignRows / picture.height()));
    // Averaged with premultiplied alpha, so that the colour of a transparent
    // pixel, which no one sees, does not tint its neighbours.
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(static_cast<int>(width), kSignRows, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace award
