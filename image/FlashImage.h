#pragma once

#include "reading/SketchReader.h"

#include <QByteArray>

#include <variant>

namespace award {

// The board's flash from address 0: the player for the sketch's sign and
// board, then the shows the engine plays for the sketch, laid out as
// image/player/FlashLayout.h says, each form timed and lit as its compiled
// sketch is on the board. Refused for what its compiled sketch would be
// refused for, so that the user hears the same either way: too big for the
// flash (DoesNotFit), or its variables leaving the stack too little SRAM
// (StackTooSmall), with the bytes to blame.
std::variant<QByteArray, Refusal> BuildFlashImage(const SketchForm& form);

}  // namespace award
