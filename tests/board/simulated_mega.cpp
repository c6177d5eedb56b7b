// A Mega 2560 without the hardware, for trying uploads by hand and for the
// README's pictures: prints the serial port to upload to, then runs the board
// until standard input closes. `uno` or `nano-old` as the argument stands in
// an Uno with optiboot or a Nano with the older bootloader instead.

#include "SerialBridge.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>

int main(int argc, char** argv) {
    using award::board::StockBoard;
    StockBoard stock = StockBoard::Mega2560;
    if (argc > 1 && std::strcmp(argv[1], "uno") == 0) stock = StockBoard::Uno;
    else if (argc > 1 && std::strcmp(argv[1], "nano-old") == 0) stock = StockBoard::NanoOldBootloader;
    else if (argc > 1) {
        std::fprintf(stderr, "usage: %s [uno|nano-old]\n", argv[0]);
        return 2;
    }
    const auto board = award::board::SimulatedBoard::WithStockBootloader(stock);
    award::board::SerialBridge bridge(*board);
    std::printf("%s\n", bridge.PortName().c_str());
    std::fflush(stdout);
    std::cin.ignore(std::numeric_limits<std::streamsize>::max());
    return 0;
}
