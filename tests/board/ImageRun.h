#pragma once

#include "BoardTestSupport.h"

#include <QString>

namespace award::board {

// The board image the program writes for the sketch, run on the simulated
// Mega 2560 for that long. Throws when the reader or the image refuses it.
BoardRun RunImage(const QString& sketch, std::uint64_t simulatedMilliseconds);

}  // namespace award::board
