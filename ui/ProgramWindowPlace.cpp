#include "ui/ProgramWindowPlace.h"

#include <algorithm>

namespace award {

QRect ProgramWindowPlace(const QRect& screen, const QRect& frame, const QRect& preview, QSize size) {
    constexpr int kGap = 8;
    const int left = std::max(screen.left(), std::min(frame.right() + kGap, screen.right() - size.width()));
    QRect place(QPoint(left, std::max(screen.top(), frame.top())), size);
    if (!place.intersects(preview)) return place;
    // Below the preview, as much of the window as fits there.
    const int top = preview.bottom() + kGap;
    place.moveTop(top);
    place.setHeight(std::min(size.height(), screen.bottom() - top));
    return place;
}

}  // namespace award
