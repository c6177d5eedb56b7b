#pragma once

#include "sign/SignTarget.h"

#include <QList>
#include <QString>

namespace award {

// What compiling and uploading need to know of each board, and how the
// messages name it.
struct BoardModel {
    // Arduino Mega 2560, Arduino Uno / Nano: as the 看板 menu names the choice.
    QString name;
    // As avrdude names the part, and as the messages name the chip.
    QString part;
    QString chip;
    // The board's setting for arduino-builder.
    QString fqbn;
    // avrdude's protocol for the board's bootloader.
    QString programmer;
    int programBytes = 0;
    int sramBytes = 0;
};

const BoardModel& ModelOf(BoardKind board);

// One speed a board's bootloader may answer at, and which board answers there.
struct BootloaderSpeed {
    int baud = 0;
    // The board that answers at this speed, in the user's words; empty where
    // only the board chosen does.
    QString answers;
    // What fits under this bootloader, when it keeps more than the first speed's.
    int programBytes = 0;
};

// The speeds to try in turn: a Mega 2560's bootloader answers at 115200; an
// Uno's optiboot at 115200, and a Nano with the older bootloader at 57600.
QList<BootloaderSpeed> BootloaderSpeeds(BoardKind board);

}  // namespace award
