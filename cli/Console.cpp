#include "cli/Console.h"

namespace award::console {

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// POSIX streams are bytes already.
void UseBinaryStreams() {}

}  // namespace award::console
