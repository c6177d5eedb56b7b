#pragma once

#include <QStringList>

namespace award::console {

// The command's arguments as the user typed them. On Windows main()'s argv is
// in the ANSI code page, which turns 標楷體 into "???"; the wide command line
// holds them whole.
QStringList Arguments(int argc, char** argv);

// Standard input and output as bytes: the sketch has its own CR LF line ends,
// which Windows' text mode would make CR CR LF, and a banner's bytes are read
// as they are.
void UseBinaryStreams();

}  // namespace award::console
