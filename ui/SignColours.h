#pragma once

#include "sign/sign.h"

#include <QColor>

#include <cmath>

// The colours the window draws the sign and its wiring in, so that the LED
// preview and the wiring help show the same sign.

namespace award::colours {

inline const QColor kSignPanel(22, 22, 26);
inline const QColor kLedOff(70, 22, 20);
inline const QColor kLedOn(255, 48, 36);
// A LED lit for `level` eighths of its time: the eye takes in light about as
// its square root, so level 2 looks half as bright as level 8, and every
// level stays apart from an unlit LED.
inline QColor LitLed(int level) {
    const double seen = std::sqrt(double(level) / int{SIGN_BRIGHTEST});
    const auto blend = [seen](int off, int on) { return int(std::lround(off + (on - off) * seen)); };
    return QColor(blend(kLedOff.red(), kLedOn.red()), blend(kLedOff.green(), kLedOn.green()),
                  blend(kLedOff.blue(), kLedOn.blue()));
}
// Amber, apart from every colour a LED takes.
inline const QColor kOutOfDateMark(255, 191, 0);
inline const QColor kBoard(0, 110, 140);
inline const QColor kDriver(235, 235, 235);
inline const QColor kSignCase(30, 30, 34);

}  // namespace award::colours
