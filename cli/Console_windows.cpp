#include "cli/Console.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace award::console {

QStringList Arguments(int, char**) {
    QStringList arguments;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; words && i < count; ++i) arguments << QString::fromWCharArray(words[i]);
    LocalFree(words);
    return arguments;
}

void UseBinaryStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace award::console
