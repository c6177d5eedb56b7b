#pragma once

#include <QRect>

namespace award {

// Where the 節目表 goes the first time: beside the main window if the screen
// has room there, else below the LED preview, so that the item being played
// stays in sight; shorter if the screen leaves no more. All in global
// coordinates; `frame` is the main window's frame, `preview` the LED panel.
QRect ProgramWindowPlace(const QRect& screen, const QRect& frame, const QRect& preview, QSize size);

}  // namespace award
