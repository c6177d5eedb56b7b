#pragma once

#include "sign/SignTarget.h"

#include <QString>

// The signs and boards as the menus, the notices and the command name them.

namespace award {

inline QString SignName(SignKind sign) {
    return sign == SignKind::P10Pair ? QStringLiteral("P10 面板兩片（HUB12）")
                                     : QStringLiteral("學校看板（Mega 2560 的埠 C、F、K）");
}

inline QString BoardName(BoardKind board) {
    return board == BoardKind::Uno ? QStringLiteral("Arduino Uno / Nano") : QStringLiteral("Arduino Mega 2560");
}

}  // namespace award
