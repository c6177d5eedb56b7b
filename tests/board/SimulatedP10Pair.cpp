#include "SimulatedP10Pair.h"

#include <avr_ioport.h>
#include <sim_avr.h>
#include <sim_cycle_timers.h>
#include <sim_io.h>
#include <sim_irq.h>

#include <bit>

namespace award::board {
namespace {

// Data-space addresses of the SPI on both parts (datasheet register summaries).
constexpr std::uint16_t kSpcr = 0x4C;
constexpr std::uint16_t kSpsr = 0x4D;
constexpr std::uint16_t kSpdr = 0x4E;
constexpr std::uint8_t kSpie = 1 << 7, kSpe = 1 << 6, kDord = 1 << 5, kMstr = 1 << 4, kCpol = 1 << 3, kCpha = 1 << 2;
constexpr std::uint8_t kSpif = 1 << 7, kSpi2x = 1 << 0;
constexpr std::uint16_t kPortB = 0x25, kPortD = 0x2B, kPortH = 0x102;

constexpr int kPanelColumns = 32;
constexpr int kPanelBits = 128;
constexpr int kRowGroups = 4;  // rows s, s+4, s+8, s+12

}  // namespace

SimulatedP10Pair::Wiring SimulatedP10Pair::WiringOf(BoardKind board) {
    // The DMD shield's pins: OE D9, A D6, B D7, SCLK D8, CLK on SCK, R on MOSI.
    if (board == BoardKind::Uno)
        return {{kPortB, 1}, {kPortD, 6}, {kPortD, 7}, {kPortB, 0}, {kPortB, 5}, {kPortB, 3}, {kPortB, 2}, {'B', 'D'}};
    return {{kPortH, 6}, {kPortH, 3}, {kPortH, 4}, {kPortH, 5}, {kPortB, 1}, {kPortB, 2}, {kPortB, 0}, {'H', 0}};
}

SimulatedP10Pair::SimulatedP10Pair(SimulatedBoard& board) : board_(board), wiring_(WiringOf(board.Board())) {
    avr_t* avr = board_.Core();
    avr_register_io_write(avr, kSpdr, OnSpdrWrite, this);
    for (std::size_t i = 0; i < irqs_.size(); ++i) {
        if (!wiring_.controlPorts[i]) continue;
        irqs_[i] = avr_io_getirq(avr, AVR_IOCTL_IOPORT_GETIRQ(wiring_.controlPorts[i]), IOPORT_IRQ_REG_PORT);
        avr_irq_register_notify(irqs_[i], OnControlPort, this);
    }
}

SimulatedP10Pair::~SimulatedP10Pair() {
    for (avr_irq_t* irq : irqs_)
        if (irq) avr_irq_unregister_notify(irq, OnControlPort, this);
    avr_cycle_timer_cancel(board_.Core(), RaiseSpif, this);
}

bool SimulatedP10Pair::Output(const Pin& pin) const {
    return (board_.Core()->data[pin.port - 1] >> pin.bit) & 1;
}

bool SimulatedP10Pair::High(const Pin& pin) const {
    return Output(pin) && ((board_.Core()->data[pin.port] >> pin.bit) & 1);
}

void SimulatedP10Pair::OnSpdrWrite(avr_t* avr, std::uint16_t, std::uint8_t value, void* param) {
    auto* pair = static_cast<SimulatedP10Pair*>(param);
    const std::uint8_t spcr = avr->data[kSpcr];
    const bool clocksOut = (spcr & (kSpe | kMstr)) == (kSpe | kMstr) && !(spcr & (kDord | kCpol | kCpha | kSpie)) &&
                           pair->Output(pair->wiring_.sck) && pair->Output(pair->wiring_.mosi) &&
                           pair->Output(pair->wiring_.ss);
    if (clocksOut)
        pair->ShiftIn(value);
    else
        ++pair->bytesLost_;
    // f/4, f/16, f/64 or f/128, twice as fast with SPI2X.
    constexpr int kDividers[] = {4, 16, 64, 128};
    const int divider = kDividers[spcr & 3] / ((avr->data[kSpsr] & kSpi2x) ? 2 : 1);
    avr_cycle_timer_register(avr, avr_cycle_count_t(8 * divider), RaiseSpif, pair);
}

std::uint64_t SimulatedP10Pair::RaiseSpif(avr_t* avr, std::uint64_t, void*) {
    avr->data[kSpsr] |= kSpif;
    return 0;
}

void SimulatedP10Pair::OnControlPort(avr_irq_t*, std::uint32_t, void* param) {
    static_cast<SimulatedP10Pair*>(param)->Update();
}

void SimulatedP10Pair::ShiftIn(std::uint8_t byte) {
    for (int bit = 7; bit >= 0; --bit) {
        shifted_ <<= 1;
        shifted_[0] = (byte >> bit) & 1;
    }
}

void SimulatedP10Pair::Update() {
    const bool sclk = High(wiring_.sclk);
    const bool latch = sclk && !sclk_;
    sclk_ = sclk;
    if (latch) latched_ = shifted_;
    const int scan = High(wiring_.oe) ? int(High(wiring_.a)) + 2 * int(High(wiring_.b)) : -1;
    if (scan == scan_ && !(latch && scan >= 0)) return;
    scan_ = scan;
    const Lit lit{board_.Core()->cycle, scan, scan >= 0 ? LitLeds(scan) : MatrixImage{}};
    if (!changes_.empty() && changes_.back().scan == lit.scan && changes_.back().leds == lit.leds) return;
    changes_.push_back(lit);
}

MatrixImage SimulatedP10Pair::LitLeds(int scan) const {
    MatrixImage leds{};
    for (int distance = 0; distance < int(latched_.size()); ++distance) {
        if (latched_[latched_.size() - 1 - std::size_t(distance)]) continue;  // a 1 leaves its LED dark
        const int panel = distance / kPanelBits;  // 0: the left panel, furthest from the board
        const int bitInPanel = distance % kPanelBits;
        const int byte = bitInPanel / 8;
        const int column = panel * kPanelColumns + byte / kRowGroups * 8 + bitInPanel % 8;
        const int row = scan + 4 * (kRowGroups - 1 - byte % kRowGroups);
        leds[std::size_t(column)] |= std::uint16_t(1u << row);
    }
    return leds;
}

std::vector<ShownSweep> DecodeP10Sweeps(std::span<const SimulatedP10Pair::Lit> changes, const TraceTiming& timing) {
    struct Scan {
        int s = -1;
        std::uint64_t start = 0;
        std::uint64_t litUntil = 0;
        MatrixImage image{};
    };
    std::vector<Scan> scans;
    for (std::size_t i = 0; i + 1 < changes.size(); ++i) {
        const auto& lit = changes[i];
        if (lit.scan < 0) continue;
        if (i == 0 || changes[i - 1].scan != lit.scan) scans.push_back({lit.scan, lit.cycle, lit.cycle, {}});
        Scan& scan = scans.back();
        const std::uint64_t until = changes[i + 1].cycle;
        scan.litUntil = until;
        if (until - lit.cycle < timing.minLitCycles) continue;
        for (std::size_t j = 0; j < scan.image.size(); ++j) scan.image[j] |= lit.leds[j];
    }
    std::vector<ShownSweep> sweeps;
    int next = 0;  // the scan a complete sweep goes on with
    const auto close = [&] {
        if (!sweeps.empty()) sweeps.back().complete = sweeps.back().complete && next == kRowGroups;
    };
    for (const Scan& scan : scans) {
        if (scan.s == 0 || sweeps.empty()) {
            close();
            sweeps.push_back({scan.start, scan.litUntil, {}, true});
            next = 0;
        }
        ShownSweep& sweep = sweeps.back();
        sweep.complete = sweep.complete && scan.s == next;
        next = scan.s + 1;
        sweep.endCycle = scan.litUntil;
        for (std::size_t j = 0; j < sweep.image.size(); ++j) sweep.image[j] |= scan.image[j];
    }
    close();
    return sweeps;
}

std::uint64_t LitLedCycles(std::span<const SimulatedP10Pair::Lit> changes, std::uint64_t now) {
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const std::uint64_t until = i + 1 < changes.size() ? changes[i + 1].cycle : now;
        int leds = 0;
        for (const std::uint16_t column : changes[i].leds) leds += std::popcount(column);
        total += std::uint64_t(leds) * (until - changes[i].cycle);
    }
    return total;
}

std::uint64_t LitLedCycles(std::span<const PortWrite> writes, std::uint64_t now) {
    std::uint64_t total = 0;
    int column = kMatrixColumns;
    std::uint8_t low = 0, high = 0;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        switch (writes[i].port) {
        case MatrixPort::C: column = writes[i].value; break;
        case MatrixPort::F: low = writes[i].value; break;
        case MatrixPort::K: high = writes[i].value; break;
        }
        const std::uint64_t until = i + 1 < writes.size() ? writes[i + 1].cycle : now;
        if (column < kMatrixColumns) total += std::uint64_t(std::popcount(unsigned(low | high << 8))) * (until - writes[i].cycle);
    }
    return total;
}

}  // namespace award::board
