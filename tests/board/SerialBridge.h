#pragma once

#include "SimulatedBoard.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <thread>

struct avr_irq_t;

namespace award::board {

// The board's USB serial port: USART0 of a simulated board joined to a
// pseudo-terminal that avrdude can open like /dev/ttyACM0. The board runs in
// real time on a thread of its own, because the bootloader's and avrdude's
// timeouts are in wall-clock time. Opening the terminal resets the board, as
// the DTR line of the board's USB chip does. Each end hears the other at its
// own speed (SerialLine.h), so a bootloader answers only avrdude at its speed.
class SerialBridge {
public:
    explicit SerialBridge(SimulatedBoard& board);
    ~SerialBridge();
    SerialBridge(const SerialBridge&) = delete;
    SerialBridge& operator=(const SerialBridge&) = delete;

    const std::string& PortName() const { return portName_; }
    // Stops the board's clock; the board may then be run on without the bridge.
    void Stop();

    // How long after avrdude opened the port its first byte came.
    std::chrono::duration<double> FirstByteAfterOpen() const { return firstByteAfterOpen_; }

private:
    void Run();
    // Registers or unregisters the bridge's hooks on USART0.
    void Listen(void (*change)(avr_irq_t*, void (*)(avr_irq_t*, std::uint32_t, void*), void*));
    static void OnUartOutput(avr_irq_t* irq, std::uint32_t value, void* param);
    static void OnUartFlow(avr_irq_t* irq, std::uint32_t value, void* param);

    SimulatedBoard& board_;
    int master_ = -1;
    std::string portName_;
    std::deque<std::uint8_t> toBoard_;
    bool boardFull_ = false;
    // The speed avrdude set, looked at on every slice.
    double terminalBaud_ = 0;
    bool opened_ = false;
    std::chrono::steady_clock::time_point openedAt_;
    std::chrono::duration<double> firstByteAfterOpen_{};
    bool heard_ = false;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

}  // namespace award::board
