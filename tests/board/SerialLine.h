#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct avr_t;

namespace award::board {

// The serial line between avrdude and a simulated board, as far as the speed
// of each end matters: a bootloader that listens at 57600 baud hears
// avrdude's 115200 as other bytes, and avrdude hears it so in turn.

// USART0's speed as its registers set it, in bits per second.
double UartBaud(const avr_t* avr);
// Whether USART0's receiver is on: while it is off, what is sent to it is lost.
bool UartReceives(const avr_t* avr);

// The speed the program at the other end of a pseudo-terminal set, from its
// master `fd`.
double TerminalBaud(int fd);

// What a receiver at `receiverBaud` reads of `sent`, sent back to back at
// `senderBaud`, eight data bits, no parity and one stop bit each: the same
// bytes when the two speeds agree within what a UART tolerates, other bytes
// when they do not. The receiver finds each start bit's falling edge with
// sixteen looks a bit, as an AVR's USART does, and samples the middle of
// each bit from there; a missing stop bit still hands on the byte, as both
// the USART and a terminal do.
std::vector<std::uint8_t> ReceivedAt(std::span<const std::uint8_t> sent, double senderBaud, double receiverBaud);

}  // namespace award::board
