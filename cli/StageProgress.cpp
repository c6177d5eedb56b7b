#include "cli/StageProgress.h"

namespace award {

QStringList StageProgress::Report(BoardJob::Stage stage, int percent) {
    QStringList lines;
    if (stage_ && *stage_ != stage && shownQuarter_ >= 0 && shownQuarter_ < 100)
        lines << BoardJob::StageName(*stage_) + QStringLiteral(" 100%");
    if (stage_ != stage) {
        stage_ = stage;
        shownQuarter_ = -2;
    }
    const int quarter = percent < 0 ? -1 : percent / 25 * 25;
    if (quarter == shownQuarter_) return lines;
    shownQuarter_ = quarter;
    lines << BoardJob::StageName(stage) + (percent < 0 ? QStringLiteral("…") : QStringLiteral(" %1%").arg(quarter));
    return lines;
}

}  // namespace award
