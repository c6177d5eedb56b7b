#pragma once

#include "reading/SketchReader.h"

#include <QByteArray>

#include <variant>

namespace award {

// Why a sketch's image is not loaded: the reason its compiled sketch would be
// refused for, so that the user hears the same either way.
struct ImageRefusal {
    enum class Reason { ProgramTooBig, StackTooSmall };
    Reason reason = Reason::ProgramTooBig;
    // The image's size, or the SRAM the compiled sketch's variables take.
    int bytes = 0;
};

// The board's flash from address 0: the player for the sketch's sign and
// board, then the shows the engine plays for the sketch, laid out as
// image/player/FlashLayout.h says, each form timed and lit as its compiled
// sketch is on the board.
std::variant<QByteArray, ImageRefusal> BuildFlashImage(const SketchForm& form);

}  // namespace award
