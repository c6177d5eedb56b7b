#pragma once

#include <QColor>

// The colours the window draws the sign and its wiring in, so that the LED
// preview and the wiring help show the same sign.

namespace award::colours {

inline const QColor kSignPanel(22, 22, 26);
inline const QColor kLedOff(70, 22, 20);
inline const QColor kLedOn(255, 48, 36);
// Amber, apart from every colour a LED takes.
inline const QColor kOutOfDateMark(255, 191, 0);
inline const QColor kBoard(0, 110, 140);
inline const QColor kDriver(235, 235, 235);
inline const QColor kSignCase(30, 30, 34);

}  // namespace award::colours
