#pragma once

#include "sign/SignTarget.h"

#include <ostream>

// How test listings name a sign, a board and a brightness.
namespace award {

inline void PrintTo(BoardKind board, std::ostream* out) { *out << (board == BoardKind::Uno ? "Uno" : "Mega 2560"); }

inline void PrintTo(const SignTarget& target, std::ostream* out) {
    *out << (target.sign == SignKind::P10Pair ? "P10" : "school") << ", ";
    PrintTo(target.board, out);
    *out << ", brightness " << target.brightness;
}

}  // namespace award
