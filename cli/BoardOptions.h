#pragma once

#include "cli/CommandLine.h"

#include <QString>
#include <QStringList>

namespace award {

// A run's sketch on standard output, with the run's notices after it; with
// --upload PORT or --hex FILE, to the board or a HEX file instead. `written`
// is false once a piece of the sketch passed on earlier failed. Returns the
// exit status.
int DeliverSketch(const CommandLine& line, const QString& sketch, const QStringList& notices, int& argc,
                  char** argv, bool written = true);

}  // namespace award
