#pragma once

#include "sketch/CppTokens.h"
#include "program/ProgramFrames.h"

#include <optional>

namespace award {

// The items of a program sketch, read from its tokens as avr-g++ reads them:
// the word parts and the item table in the form the writer gives them, their
// numbers in any form the compiler takes (a hold time edited by hand
// included), and every other token the program driver's. Nothing for any
// other text, or for an item that reads past the end of the words.
//
// `refusal`, when given, says why a text that declares the item table is no
// program the board runs; it is left alone for any other text.
std::optional<ProgramFrames> ReadProgramSketch(const CppTokens& tokens, Refusal* refusal = nullptr);

}  // namespace award
