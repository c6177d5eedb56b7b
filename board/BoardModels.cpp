#include "board/BoardModels.h"

#include "sign/Mega2560.h"
#include "sign/UnoNano.h"

namespace award {

const BoardModel& ModelOf(BoardKind board) {
    // boards.txt's mega (cpu=atmega2560) and uno: the upload protocol, the
    // memories, and the chip avrdude checks the signature of.
    static const BoardModel kMega{QStringLiteral("Arduino Mega 2560"), QStringLiteral("atmega2560"),
                                  QStringLiteral("ATmega2560"),        QStringLiteral("arduino:avr:mega:cpu=atmega2560"),
                                  QStringLiteral("wiring"),            kMega2560ProgramBytes,
                                  kMega2560SramBytes};
    static const BoardModel kUno{QStringLiteral("Arduino Uno / Nano"), QStringLiteral("atmega328p"),
                                 QStringLiteral("ATmega328P"),         QStringLiteral("arduino:avr:uno"),
                                 QStringLiteral("arduino"),            kUnoProgramBytes,
                                 kUnoSramBytes};
    return board == BoardKind::Uno ? kUno : kMega;
}

QList<BootloaderSpeed> BootloaderSpeeds(BoardKind board) {
    if (board == BoardKind::Mega2560) return {{115200, {}, kMega2560ProgramBytes}};
    return {{115200, QStringLiteral("Arduino Uno（或新版 bootloader 的 Nano）"), kUnoProgramBytes},
            {57600, QStringLiteral("Arduino Nano（舊版 bootloader）"), kUnoNanoProgramBytes}};
}

}  // namespace award
