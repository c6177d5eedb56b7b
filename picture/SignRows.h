#pragma once

#include <QImage>

namespace award {

// The picture as the sign shows it: scaled to kSignRows rows, its width in
// proportion (one column at least), or taken pixel for pixel when it is that
// high already. Colours keep their alpha, unpremultiplied (QImage::Format_ARGB32).
QImage SignRows(const QImage& picture);

}  // namespace award
