#pragma once

#include <QByteArray>
#include <QStringList>

#include <cstdio>

namespace award::console {

// A line for the user on standard error, in the command's name.
inline void Say(const QString& line) { std::fprintf(stderr, "award-banner-sketch: %s\n", qUtf8Printable(line)); }

// Says why the command stops, and, when asked to, where its usage is told;
// gives the exit status.
inline int Fail(int status, const QString& message, bool pointToHelp = false) {
    Say(message);
    if (pointToHelp) std::fputs("請執行 award-banner-sketch --help 查看用法。\n", stderr);
    return status;
}

// The bytes on standard output, all of them.
inline bool Write(const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size());
}

// The command's arguments as the user typed them. On Windows main()'s argv is
// in the ANSI code page, which turns 標楷體 into "???"; the wide command line
// holds them whole.
QStringList Arguments(int argc, char** argv);

// Standard input and output as bytes: the sketch has its own CR LF line ends,
// which Windows' text mode would make CR CR LF, and a banner's bytes are read
// as they are.
void UseBinaryStreams();

}  // namespace award::console
