// A Mega 2560 without the hardware, for trying uploads by hand and for the
// README's pictures: prints the serial port to upload to, then runs the board
// until standard input closes.

#include "SerialBridge.h"

#include <cstdio>
#include <iostream>
#include <limits>

int main() {
    const auto board = award::board::SimulatedBoard::WithStockBootloader();
    award::board::SerialBridge bridge(*board);
    std::printf("%s\n", bridge.PortName().c_str());
    std::fflush(stdout);
    std::cin.ignore(std::numeric_limits<std::streamsize>::max());
    return 0;
}
