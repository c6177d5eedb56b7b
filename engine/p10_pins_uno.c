/* Arduino Uno / Nano 接 HUB12 插座：OE 接 D9（PB1）、A 接 D6（PD6）、B 接 D7（PD7）、
 * SCLK 接 D8（PB0）、CLK 接 D13（SPI 的 SCK，PB5）、R 接 D11（SPI 的 MOSI，PB3）。
 * D10（PB2）是 SPI 的 SS，要設成輸出，SPI 才會一直當主控。 */
#include <avr/io.h>
#include <stdint.h>

static void p10PinsBegin(void) {
    PORTB &= (uint8_t)~(_BV(1) | _BV(0));
    DDRB |= _BV(1) | _BV(0) | _BV(5) | _BV(3) | _BV(2);
    DDRD |= _BV(6) | _BV(7);
}

static void p10Enable(uint8_t on) {
    if (on)
        PORTB |= _BV(1);
    else
        PORTB &= (uint8_t)~_BV(1);
}

static void p10Latch(void) {
    PORTB |= _BV(0);
    PORTB &= (uint8_t)~_BV(0);
}

/* A 是 s 的第 0 位元，B 是第 1 位元 */
static void p10Rows(uint8_t s) { PORTD = (uint8_t)((PORTD & (uint8_t)~(_BV(6) | _BV(7))) | (s << 6)); }
