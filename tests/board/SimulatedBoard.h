#pragma once

#include "sign/SignTarget.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <vector>

struct avr_t;

namespace award::board {

// The three ports the sketch drives: C selects the LED column, F carries
// rows 1-8 and K rows 9-16.
enum class MatrixPort : std::uint8_t { C, F, K };

struct PortWrite {
    std::uint64_t cycle = 0;
    MatrixPort port = MatrixPort::C;
    std::uint8_t value = 0;
};

// A board as it leaves its maker, named by the bootloader that runs first
// after every reset.
enum class StockBoard {
    Mega2560,          // stk500v2 at 115200 baud
    Uno,               // optiboot at 115200 baud
    NanoOldBootloader  // ATmegaBOOT at 57600 baud, the Nano's before optiboot
};

// The board's microcontroller at its 16 MHz running a firmware under simavr:
// an ATmega2560 for the Mega 2560 or an ATmega328P for the Uno and Nano,
// recording every write the firmware makes to the ports of C, F and K that
// the chip has (the ATmega328P has only C).
class SimulatedBoard {
public:
    static constexpr std::uint64_t kClockHz = 16'000'000;

    explicit SimulatedBoard(const std::filesystem::path& elf, BoardKind board = BoardKind::Mega2560);
    // A board as it leaves the factory: flash erased but for the stock
    // bootloader, which runs first after every reset.
    static std::unique_ptr<SimulatedBoard> WithStockBootloader(StockBoard stock = StockBoard::Mega2560);
    // A board whose flash holds an Intel HEX file from address 0, as avrdude
    // writes it, and nothing else.
    static std::unique_ptr<SimulatedBoard> WithHexFile(const std::filesystem::path& hex,
                                                       BoardKind board = BoardKind::Mega2560);
    ~SimulatedBoard();
    SimulatedBoard(const SimulatedBoard&) = delete;
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    using StopCondition = std::function<bool(std::span<const PortWrite> writes, std::uint64_t now)>;

    // Runs until `stop` holds (polled every few thousand instructions) or the
    // clock reaches `cycleLimit`. Returns false when the firmware crashed or
    // halted before either.
    bool RunUntil(const StopCondition& stop, std::uint64_t cycleLimit);

    std::uint64_t Now() const;
    // Starts the firmware over, as the reset button or the DTR line does (an
    // external reset, which is what the bootloaders wait for a host after);
    // what was recorded before is dropped.
    void Reset();
    avr_t* Core() const { return avr_.get(); }
    BoardKind Board() const { return board_; }
    // The whole flash, bootloader included.
    std::span<const std::uint8_t> Flash() const;
    std::span<const PortWrite> Writes() const { return writes_; }

private:
    explicit SimulatedBoard(BoardKind board);
    static void OnPortWrite(avr_t* avr, std::uint16_t address, std::uint8_t value, void* param);

    struct SimavrDeleter {
        void operator()(avr_t* avr) const;
    };

    std::unique_ptr<avr_t, SimavrDeleter> avr_;
    BoardKind board_;
    std::vector<PortWrite> writes_;
    // Where each port is in data space; 0 for one the chip lacks.
    std::uint16_t portAddress_[3] = {};
};

}  // namespace award::board
