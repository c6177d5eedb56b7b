#pragma once

#include "sign/Mega2560.h"
#include "sign/SignTarget.h"
#include "sign/UnoNano.h"

// The memories of the board a sketch is for.

namespace award {

inline constexpr int ProgramBytes(BoardKind board) {
    return board == BoardKind::Uno ? kUnoNanoProgramBytes : kMega2560ProgramBytes;
}

}  // namespace award
