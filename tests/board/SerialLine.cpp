#include "SerialLine.h"

#include <sim_avr.h>

#include <termios.h>

#include <cmath>
#include <utility>

namespace award::board {
namespace {

// USART0's registers, at the same data addresses on the ATmega328P and the
// ATmega2560.
constexpr std::uint16_t kUcsr0a = 0xC0;
constexpr std::uint16_t kUcsr0b = 0xC1;
constexpr std::uint16_t kUbrr0l = 0xC4;
constexpr std::uint16_t kUbrr0h = 0xC5;
constexpr std::uint8_t kU2x0 = 1 << 1;
constexpr std::uint8_t kRxen0 = 1 << 4;

constexpr int kBitsPerFrame = 10;
constexpr int kLooksPerBit = 16;

// The line's level at time `t`, in the sender's bit times: idle high, then
// each frame's start bit low, its data bits from the least significant, and
// its stop bit high.
bool LevelAt(std::span<const std::uint8_t> sent, double t) {
    if (t < 0) return true;
    const auto bit = static_cast<std::size_t>(t);
    const std::size_t frame = bit / kBitsPerFrame;
    if (frame >= sent.size()) return true;
    const std::size_t inFrame = bit % kBitsPerFrame;
    if (inFrame == 0) return false;
    if (inFrame == kBitsPerFrame - 1) return true;
    return ((sent[frame] >> (inFrame - 1)) & 1) != 0;
}

}  // namespace

bool UartReceives(const avr_t* avr) { return (avr->data[kUcsr0b] & kRxen0) != 0; }

double UartBaud(const avr_t* avr) {
    const std::uint8_t* data = avr->data;
    const unsigned ubrr = ((data[kUbrr0h] & 0x0F) << 8) | data[kUbrr0l];
    const unsigned divisor = (data[kUcsr0a] & kU2x0) != 0 ? 8 : 16;
    return double(avr->frequency) / (divisor * (ubrr + 1));
}

double TerminalBaud(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return 0;
    static constexpr std::pair<speed_t, double> kSpeeds[] = {
        {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},
        {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600}};
    const speed_t speed = cfgetospeed(&settings);
    for (const auto& [code, baud] : kSpeeds)
        if (code == speed) return baud;
    return 0;
}

std::vector<std::uint8_t> ReceivedAt(std::span<const std::uint8_t> sent, double senderBaud, double receiverBaud) {
    std::vector<std::uint8_t> received;
    if (senderBaud <= 0 || receiverBaud <= 0) return received;
    // Times in the sender's bit times; one receiver bit spans `scale` of them.
    const double scale = senderBaud / receiverBaud;
    const double look = scale / kLooksPerBit;
    const double end = double(sent.size() * kBitsPerFrame) + 2 * kBitsPerFrame * scale;
    bool before = true;
    for (double t = 0; t < end; t += look) {
        const bool level = LevelAt(sent, t);
        const bool falling = before && !level;
        before = level;
        if (!falling) continue;
        // A start bit that is high again by its middle was noise.
        if (LevelAt(sent, t + 0.5 * scale)) continue;
        std::uint8_t byte = 0;
        for (int i = 0; i < 8; ++i)
            if (LevelAt(sent, t + (1.5 + i) * scale)) byte |= std::uint8_t(1 << i);
        received.push_back(byte);
        // Back to looking for a falling edge from the stop bit's middle.
        t += (kBitsPerFrame - 0.5) * scale;
        before = LevelAt(sent, t);
    }
    return received;
}

}  // namespace award::board
