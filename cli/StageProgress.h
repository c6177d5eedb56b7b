#pragma once

#include "board/BoardJob.h"

#include <QStringList>

#include <optional>

namespace award {

// The board job's progress as lines on standard error: a line per stage and
// per quarter of it is enough to see it move, and a stage that gives way to
// the next ends at 100 %, however its last report was rounded.
class StageProgress {
public:
    // The lines to show for a report; percent < 0 when the stage cannot tell.
    QStringList Report(BoardJob::Stage stage, int percent);

private:
    std::optional<BoardJob::Stage> stage_;
    // What was shown of the stage: a quarter in percent, -1 for "…", -2 for nothing yet.
    int shownQuarter_ = -2;
};

}  // namespace award
