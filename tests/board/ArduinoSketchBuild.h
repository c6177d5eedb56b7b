#pragma once

#include "sign/SignTarget.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace award::board {

class SketchBuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Static SRAM as the Arduino IDE counts it ("global variables use N bytes").
struct SramUse {
    std::size_t data = 0;
    std::size_t bss = 0;
    std::size_t noinit = 0;

    std::size_t Static() const { return data + bss + noinit; }
};

// Compiles and links a sketch for the board, the Arduino Mega 2560 or Uno,
// with the IDE's flags and the prebuilt core archive, returning the ELF.
// Builds are cached by sketch text, so rerunning the suite only simulates.
// Throws SketchBuildError carrying the compiler's output when the sketch does
// not build.
std::filesystem::path BuildSketch(std::string_view sketchTextUtf8, BoardKind board = BoardKind::Mega2560);

SramUse MeasureSram(const std::filesystem::path& elf);

// The flash address of a variable of the sketch, found by name in the ELF.
std::uint32_t SymbolAddress(const std::filesystem::path& elf, std::string_view variable);

}  // namespace award::board
