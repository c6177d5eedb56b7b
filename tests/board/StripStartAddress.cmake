# Copies the Intel HEX file IN to OUT without its start address record (type
# 03), which simavr's reader does not know and a board never uses: it starts
# at its reset vector, or in the bootloader.
cmake_minimum_required(VERSION 3.25)
# file(STRINGS) would otherwise read a HEX file as the bytes it describes.
file(STRINGS ${IN} records NO_HEX_CONVERSION)
list(FILTER records EXCLUDE REGEX "^:......03")
list(JOIN records "\n" text)
file(WRITE ${OUT} "${text}\n")
