#pragma once

#include "conversion/ConversionOptions.h"
#include "program/Program.h"
#include "program/ProgramConverter.h"
#include "surface/DrawingSurface.h"

#include <QHash>
#include <QTimer>

#include <functional>

namespace award {

// How long one cycle of the program plays, kept up to date while the table is
// edited. Each item's time is drawn once and kept until the item or the face
// changes; the items are counted a few at a time when the window is idle, so
// typing never waits for a long program.
class ProgramLength {
public:
    // `show` is told the words for the user, as the counting goes on.
    explicit ProgramLength(std::function<void(const QString&)> show);

    // Counts the items anew, in the options' face and first scan row.
    void Recount(const Program& items, const ConversionOptions& options);

private:
    void CountSome();

    std::function<void(const QString&)> show_;
    DrawingSurface surface_;
    ProgramConverter converter_{surface_};
    QTimer idle_;
    Program items_;
    ConversionOptions options_;
    std::size_t counted_ = 0;
    double seconds_ = 0;
    QHash<QString, double> secondsOf_;  // by item, in the face of options_
};

}  // namespace award
