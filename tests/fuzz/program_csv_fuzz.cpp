// libFuzzer target: any bytes as a program file, and any bytes as a program
// the editor holds. Whatever the reader accepts or the writer writes must read
// back as the same program; a difference aborts with what differs.

#include "ProgramCsvRoundTrip.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const auto& difference : {award::ReopenDifference(bytes), award::SaveDifference(award::ProgramFromBytes(bytes))}) {
        if (!difference) continue;
        std::fprintf(stderr, "%s\n", qUtf8Printable(*difference));
        std::abort();
    }
    return 0;
}
