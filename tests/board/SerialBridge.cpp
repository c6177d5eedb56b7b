#include "SerialBridge.h"

#include "SerialLine.h"

#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_io.h>
#include <sim_irq.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace award::board {
namespace {

using Clock = std::chrono::steady_clock;

avr_irq_t* UartIrq(avr_t* avr, int which) {
    return avr_io_getirq(avr, AVR_IOCTL_UART_GETIRQ('0'), which);
}

// Simulated time between looks at the terminal: at 115200 baud about three
// bytes arrive in it, well within the USART's receive buffer, and a reply
// waits no longer than that for its question.
constexpr std::uint64_t kSliceCycles = SimulatedBoard::kClockHz / 4000;

}  // namespace

SerialBridge::SerialBridge(SimulatedBoard& board) : board_(board) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        throw std::runtime_error("cannot create a pseudo-terminal");
    }
    portName_ = ptsname(master_);
    // Linux reports the hang-up only once the terminal has been opened and
    // closed again; until then a port no one has opened would look open.
    close(open(portName_.c_str(), O_RDWR | O_NOCTTY));
    Listen(avr_irq_register_notify);
    thread_ = std::thread(&SerialBridge::Run, this);
}

SerialBridge::~SerialBridge() {
    Stop();
    close(master_);
}

void SerialBridge::Stop() {
    if (!thread_.joinable()) {
        return;
    }
    stop_ = true;
    thread_.join();
    Listen(avr_irq_unregister_notify);
}

void SerialBridge::Listen(void (*change)(avr_irq_t*, avr_irq_notify_t, void*)) {
    change(UartIrq(board_.Core(), UART_IRQ_OUTPUT), OnUartOutput, this);
    change(UartIrq(board_.Core(), UART_IRQ_OUT_XON), OnUartFlow, this);
    change(UartIrq(board_.Core(), UART_IRQ_OUT_XOFF), OnUartFlow, this);
}

void SerialBridge::Run() {
    avr_t* avr = board_.Core();
    Clock::time_point paceStart = Clock::now();
    std::uint64_t paceCycle = avr->cycle;
    while (!stop_) {
        // The master reports a hang-up for as long as no one holds the
        // terminal open: the end of one tells that avrdude has opened it.
        pollfd terminal{master_, POLLIN, 0};
        poll(&terminal, 1, 0);
        const bool open = (terminal.revents & POLLHUP) == 0;
        if (open && !opened_) {
            board_.Reset();
            toBoard_.clear();
            boardFull_ = false;
            openedAt_ = paceStart = Clock::now();
            paceCycle = avr->cycle;
        }
        opened_ = open;
        terminalBaud_ = TerminalBaud(master_);
        if (open && (terminal.revents & POLLIN) != 0) {
            std::uint8_t buffer[256];
            const ssize_t count = read(master_, buffer, sizeof buffer);
            if (count > 0 && !heard_) {
                heard_ = true;
                firstByteAfterOpen_ = Clock::now() - openedAt_;
            }
            if (count > 0 && UartReceives(avr)) {
                const std::vector<std::uint8_t> heard =
                    ReceivedAt(std::span(buffer, std::size_t(count)), terminalBaud_, UartBaud(avr));
                toBoard_.insert(toBoard_.end(), heard.begin(), heard.end());
            }
        }
        // Only as much as the USART's receive buffer takes; the rest waits.
        while (!boardFull_ && !toBoard_.empty()) {
            avr_raise_irq(UartIrq(avr, UART_IRQ_INPUT), toBoard_.front());
            toBoard_.pop_front();
        }

        const std::uint64_t sliceEnd = avr->cycle + kSliceCycles;
        while (avr->cycle < sliceEnd && avr->state != cpu_Crashed && avr->state != cpu_Done) {
            avr_run(avr);
        }
        if (avr->cycle < sliceEnd) {
            // Stopped firmware: only a reset brings it back.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        const auto simulated = std::chrono::duration<double>(double(avr->cycle - paceCycle) / SimulatedBoard::kClockHz);
        std::this_thread::sleep_until(paceStart + std::chrono::duration_cast<Clock::duration>(simulated));
    }
}

void SerialBridge::OnUartOutput(avr_irq_t*, std::uint32_t value, void* param) {
    auto* bridge = static_cast<SerialBridge*>(param);
    const auto byte = static_cast<std::uint8_t>(value);
    // When no one reads, the byte is lost on the wire, as on a real board.
    if (!bridge->opened_) return;
    const std::vector<std::uint8_t> heard =
        ReceivedAt(std::span(&byte, 1), UartBaud(bridge->board_.Core()), bridge->terminalBaud_);
    const ssize_t written = write(bridge->master_, heard.data(), heard.size());
    static_cast<void>(written);
}

void SerialBridge::OnUartFlow(avr_irq_t* irq, std::uint32_t, void* param) {
    auto* bridge = static_cast<SerialBridge*>(param);
    bridge->boardFull_ = irq == UartIrq(bridge->board_.Core(), UART_IRQ_OUT_XOFF);
}

}  // namespace award::board
