# Writes the player's binary as a C++ array, so the program carries it
# without any file beside it.
file(READ ${INPUT} bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
file(WRITE ${OUTPUT} "#pragma once\n// Generated from image/player/player.c by avr-gcc; do not edit.\n#include <array>\n#include <cstdint>\nnamespace award::player {\ninline constexpr std::array<std::uint8_t, ${size}> kBinary{\n  ${bytes}};\n}\n")
