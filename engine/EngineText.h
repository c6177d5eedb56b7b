#pragma once

#include "sign/SignTarget.h"

#include <QString>

// The engine and the sign's driver as every sketch but the phrase sketch
// carries them: the same sources the board's player and the preview are built
// from, so that a sketch shows what the preview plays.
namespace award::engine {

// The sign's geometry, the kinds of show and how the engine plays each.
const QString& ShowsText();
// The driver of a sign on a board, paced by Timer 1: the school's sign, or
// the P10 panels followed by the board's pins for them.
QString SignDriverText(SignKind sign, BoardKind board);

}  // namespace award::engine
