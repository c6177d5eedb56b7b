# Writes the players' binaries as C++ arrays, so the program carries them
# without any file beside it.
#   -DOUTPUT=<header> -DPLAYERS="name=binary|name=binary"
set(header "#pragma once\n// Generated from image/player/player.c by avr-gcc; do not edit.\n#include <array>\n#include <cstdint>\nnamespace award::player {\n")
string(REPLACE "|" ";" players "${PLAYERS}")
foreach(player IN LISTS players)
  string(REGEX MATCH "^[^=]+" name "${player}")
  string(REGEX REPLACE "^[^=]+=" "" input "${player}")
  file(READ ${input} bytes HEX)
  string(LENGTH "${bytes}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
  string(APPEND header "inline constexpr std::array<std::uint8_t, ${size}> ${name}{\n  ${bytes}};\n")
endforeach()
string(APPEND header "}\n")
file(WRITE ${OUTPUT} "${header}")
