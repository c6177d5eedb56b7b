#include "SimulatedBoard.h"

#include "BoardToolchainConfig.h"

#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_regbit.h>
#include <sim_elf.h>
#include <sim_hex.h>
#include <sim_io.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace award::board {

static_assert(SimulatedBoard::kClockHz == config::kMega2560.clockHz, "the Mega's F_CPU");
static_assert(SimulatedBoard::kClockHz == config::kUno.clockHz, "the Uno's F_CPU");

namespace {

// Data-space addresses (datasheet register summaries): port C is at the same
// place on both chips, F and K are the ATmega2560's alone.
constexpr std::uint16_t kPortC = 0x28;
constexpr std::uint16_t kPortF = 0x31;
constexpr std::uint16_t kPortK = 0x108;

// simavr's default sleep callback waits in real time; a test wants the
// simulated time to pass as fast as the host allows.
void NoRealTimeSleep(avr_t*, avr_cycle_count_t) {}

void QuietLogger(avr_t*, const int level, const char* format, va_list args) {
    if (level <= LOG_ERROR) {
        std::vfprintf(stderr, format, args);
    }
}

// elf_read_firmware allocates these and avr_load_firmware copies what it
// needs, but neither ever frees them.
void ReleaseFirmware(elf_firmware_t& firmware) {
    free(firmware.flash);
    free(firmware.eeprom);
    free(firmware.fuse);
    free(firmware.lockbits);
    for (std::uint32_t i = 0; i < firmware.symbolcount; ++i) {
        free(firmware.symbol[i]);
    }
    free(firmware.symbol);
    firmware = {};
}

struct StockFirmware {
    BoardKind board;
    const char* bootloaderHex;
};

StockFirmware FirmwareOf(StockBoard stock) {
    switch (stock) {
    case StockBoard::Mega2560: break;
    case StockBoard::Uno: return {BoardKind::Uno, config::kUno.bootloaderHex};
    case StockBoard::NanoOldBootloader: return {BoardKind::Uno, config::kNanoBootloaderHex};
    }
    return {BoardKind::Mega2560, config::kMega2560.bootloaderHex};
}

}  // namespace

void SimulatedBoard::SimavrDeleter::operator()(avr_t* avr) const {
    avr_terminate(avr);
    // avr_make_mcu_by_name hands out a malloc'd core; avr_terminate frees only
    // what the core allocated itself.
    free(avr);
}

SimulatedBoard::SimulatedBoard(BoardKind board) : board_(board) {
    avr_global_logger_set(QuietLogger);
    // The ELF built for the board carries no .mmcu section, so name the part.
    const char* mcu = config::Of(board).mcu;
    avr_.reset(avr_make_mcu_by_name(mcu));
    if (!avr_) {
        throw std::runtime_error(std::string("this simavr has no ") + mcu);
    }
    avr_init(avr_.get());
    avr_->frequency = kClockHz;
    avr_->sleep = NoRealTimeSleep;
    avr_->log = LOG_ERROR;

    // The Uno has only port C of the school's sign's three.
    const bool mega = board == BoardKind::Mega2560;
    portAddress_[static_cast<int>(MatrixPort::C)] = kPortC;
    portAddress_[static_cast<int>(MatrixPort::F)] = mega ? kPortF : 0;
    portAddress_[static_cast<int>(MatrixPort::K)] = mega ? kPortK : 0;
    // Registered alongside simavr's own port handlers, which keep the register
    // contents; this callback only observes. simavr shares at most four
    // registers between handlers like this: three are used here, the fourth
    // by the P10 panels' SPI.
    for (const std::uint16_t address : portAddress_) {
        if (address != 0) avr_register_io_write(avr_.get(), address, OnPortWrite, this);
    }
}

SimulatedBoard::SimulatedBoard(const std::filesystem::path& elf, BoardKind board) : SimulatedBoard(board) {
    elf_firmware_t firmware{};
    if (elf_read_firmware(elf.c_str(), &firmware) != 0) {
        ReleaseFirmware(firmware);
        throw std::runtime_error("simavr cannot read " + elf.string());
    }
    avr_load_firmware(avr_.get(), &firmware);
    ReleaseFirmware(firmware);
}

std::unique_ptr<SimulatedBoard> SimulatedBoard::WithStockBootloader(StockBoard stock) {
    const StockFirmware firmware = FirmwareOf(stock);
    const std::string hex = firmware.bootloaderHex;
    std::unique_ptr<SimulatedBoard> board(new SimulatedBoard(firmware.board));
    avr_t* avr = board->avr_.get();
    ihex_chunk_p chunks = nullptr;
    const int count = read_ihex_chunks(hex.c_str(), &chunks);
    if (count < 1) throw std::runtime_error("no bootloader in " + hex);
    // The bootloader starts at its lowest address; optiboot keeps its
    // version in the flash's last word.
    std::uint32_t start = avr->flashend + 1;
    for (int i = 0; i < count; ++i) {
        if (chunks[i].baseaddr + chunks[i].size > avr->flashend + 1) {
            free_ihex_chunks(chunks);
            throw std::runtime_error(hex + " reaches past the flash");
        }
        std::copy_n(chunks[i].data, chunks[i].size, avr->flash + chunks[i].baseaddr);
        start = std::min(start, chunks[i].baseaddr);
    }
    // simavr ignores the BOOTRST fuse that sends a real board's resets into
    // the bootloader.
    avr->reset_pc = start;
    avr->codeend = avr->flashend;
    free_ihex_chunks(chunks);
    // The bootloader's serial port works by polling; simavr would otherwise
    // sleep on every empty poll and echo the bytes on the console.
    std::uint32_t uartFlags = 0;
    avr_ioctl(avr, AVR_IOCTL_UART_SET_FLAGS('0'), &uartFlags);
    board->Reset();
    return board;
}

std::unique_ptr<SimulatedBoard> SimulatedBoard::WithHexFile(const std::filesystem::path& hex, BoardKind kind) {
    std::unique_ptr<SimulatedBoard> board(new SimulatedBoard(kind));
    avr_t* avr = board->avr_.get();
    ihex_chunk_p chunks = nullptr;
    const int count = read_ihex_chunks(hex.c_str(), &chunks);
    if (count <= 0) throw std::runtime_error("simavr cannot read " + hex.string());
    for (int i = 0; i < count; ++i) {
        if (chunks[i].baseaddr + chunks[i].size > avr->flashend + 1) {
            free_ihex_chunks(chunks);
            throw std::runtime_error(hex.string() + " reaches past the flash");
        }
        std::copy_n(chunks[i].data, chunks[i].size, avr->flash + chunks[i].baseaddr);
    }
    free_ihex_chunks(chunks);
    avr->codeend = avr->flashend;
    board->Reset();
    return board;
}

void SimulatedBoard::Reset() {
    avr_reset(avr_.get());
    // simavr's reset clears MCUSR and never says why the chip was reset. The
    // Uno's optiboot and the older Nano bootloader wait for a host only after
    // an external reset and otherwise start the sketch at once: on a board
    // with nothing else in its flash the core runs through the erased words
    // back into the bootloader, which jumps on again with a call, so the
    // stack runs down through SRAM into the I/O registers and the core runs
    // wild without ever answering.
    avr_regbit_set(avr_.get(), avr_->reset_flags.extrf);
    writes_.clear();
}

SimulatedBoard::~SimulatedBoard() = default;

void SimulatedBoard::OnPortWrite(avr_t* avr, std::uint16_t address, std::uint8_t value, void* param) {
    auto* board = static_cast<SimulatedBoard*>(param);
    for (int port = 0; port < 3; ++port) {
        if (board->portAddress_[port] == address) {
            board->writes_.push_back({avr->cycle, static_cast<MatrixPort>(port), value});
            return;
        }
    }
}

bool SimulatedBoard::RunUntil(const StopCondition& stop, std::uint64_t cycleLimit) {
    constexpr int kInstructionsBetweenChecks = 4096;
    while (avr_->cycle < cycleLimit) {
        for (int i = 0; i < kInstructionsBetweenChecks; ++i) {
            const int state = avr_run(avr_.get());
            if (state == cpu_Done || state == cpu_Crashed) {
                return false;
            }
        }
        if (stop(writes_, avr_->cycle)) {
            return true;
        }
    }
    return true;
}

std::uint64_t SimulatedBoard::Now() const {
    return avr_->cycle;
}

std::span<const std::uint8_t> SimulatedBoard::Flash() const {
    return {avr_->flash, std::size_t{avr_->flashend} + 1};
}

}  // namespace award::board
