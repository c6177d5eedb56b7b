/* Arduino Mega 2560 接 HUB12 插座：OE 接 D9（PH6）、A 接 D6（PH3）、B 接 D7（PH4）、
 * SCLK 接 D8（PH5）、CLK 接 D52（SPI 的 SCK，PB1）、R 接 D51（SPI 的 MOSI，PB2）。
 * D53（PB0）是 SPI 的 SS，要設成輸出，SPI 才會一直當主控。 */
#include <avr/io.h>
#include <stdint.h>

static void p10PinsBegin(void) {
    PORTH &= (uint8_t)~(_BV(6) | _BV(5));
    DDRH |= _BV(6) | _BV(3) | _BV(4) | _BV(5);
    DDRB |= _BV(1) | _BV(2) | _BV(0);
}

static void p10Enable(uint8_t on) {
    if (on)
        PORTH |= _BV(6);
    else
        PORTH &= (uint8_t)~_BV(6);
}

static void p10Latch(void) {
    PORTH |= _BV(5);
    PORTH &= (uint8_t)~_BV(5);
}

/* A 是 s 的第 0 位元，B 是第 1 位元 */
static void p10Rows(uint8_t s) { PORTH = (uint8_t)((PORTH & (uint8_t)~(_BV(3) | _BV(4))) | (s << 3)); }
