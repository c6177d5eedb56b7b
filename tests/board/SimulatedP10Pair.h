#pragma once

#include "MatrixTrace.h"
#include "SimulatedBoard.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

struct avr_irq_t;

namespace award::board {

// Two P10 panels side by side, 64 x 16 LEDs, on the HUB12 pins of a simulated
// board, wired as the common shield wires them (OE, A, B, SCLK on their pins,
// CLK on the SPI's SCK and R on its MOSI). A 256-bit shift register takes a
// bit on each rising edge of CLK (the SPI unit clocks out a byte written to
// SPDR, most significant bit first, in mode 0), its contents are latched on
// the rising edge of SCLK, and while OE is high scan s = A + 2 B lights rows
// s, s+4, s+8 and s+12 of both panels, each LED whose latched bit is 0.
//
// The board plugs into the right-hand panel, seen from the front, and the
// left panel takes the right one's output: the bits shifted in first travel
// furthest. Each panel's 128 bits, counted from its far end, are its 32
// columns in bytes of 8 (the leftmost column the first bit of a byte), each
// byte of columns sent for rows s+12, s+8, s+4 and s in turn.
//
// simavr's SPI takes 100 us for every byte whatever its clock; the pair also
// sets SPIF after the 8 clocks of the SPI's own rate, as the board's SPI does.
class SimulatedP10Pair {
public:
    // What the panels light from `cycle` on, until the next change: the LEDs
    // of scan `scan`, or none with OE low (`scan` is then -1).
    struct Lit {
        std::uint64_t cycle = 0;
        int scan = -1;
        MatrixImage leds{};
    };

    explicit SimulatedP10Pair(SimulatedBoard& board);
    ~SimulatedP10Pair();
    SimulatedP10Pair(const SimulatedP10Pair&) = delete;
    SimulatedP10Pair& operator=(const SimulatedP10Pair&) = delete;

    std::span<const Lit> Changes() const { return changes_; }
    // Bytes written to SPDR while the SPI could not have clocked them out to
    // the panels: not enabled as master, not most significant bit first in
    // mode 0, or SCK, MOSI or SS not an output.
    int BytesLost() const { return bytesLost_; }

private:
    struct Pin {
        std::uint16_t port = 0;  // data-space address of PORTx; DDRx is the one below
        std::uint8_t bit = 0;
    };
    struct Wiring {
        Pin oe, a, b, sclk, sck, mosi, ss;
        char controlPorts[2];  // the ports OE, A, B and SCLK are on
    };
    static Wiring WiringOf(BoardKind board);

    bool Output(const Pin& pin) const;
    bool High(const Pin& pin) const;
    void ShiftIn(std::uint8_t byte);
    void Update();
    MatrixImage LitLeds(int scan) const;

    static void OnSpdrWrite(avr_t* avr, std::uint16_t address, std::uint8_t value, void* param);
    static void OnControlPort(avr_irq_t* irq, std::uint32_t value, void* param);
    static std::uint64_t RaiseSpif(avr_t* avr, std::uint64_t when, void* param);

    SimulatedBoard& board_;
    Wiring wiring_;
    // Bit 0 is next to the input, bit 255 at the left panel's far end.
    std::bitset<256> shifted_;
    std::bitset<256> latched_;
    bool sclk_ = false;
    int scan_ = -1;
    std::vector<Lit> changes_;
    int bytesLost_ = 0;
    std::array<avr_irq_t*, 2> irqs_{};
};

// The panels' changes as the sweeps of the school's sign they stand for:
// scans 0 to 3 in turn light the whole picture once. A sweep starts when its
// scan 0 lights and is complete when scans 1, 2 and 3 follow in order; an LED
// counts as lit once it stays lit `timing.minLitCycles`.
std::vector<ShownSweep> DecodeP10Sweeps(std::span<const SimulatedP10Pair::Lit> changes, const TraceTiming& timing = {});

// The LEDs' summed time lit, in cycles, up to `now`.
std::uint64_t LitLedCycles(std::span<const SimulatedP10Pair::Lit> changes, std::uint64_t now);
// The same for the school's sign, from its port writes: the rows on ports F
// and K while port C selects a column of the sign.
std::uint64_t LitLedCycles(std::span<const PortWrite> writes, std::uint64_t now);

}  // namespace award::board
