#pragma once

#include "conversion/BannerConverter.h"
#include "surface/FaceResolver.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace award {

// Which installed face drew the requested one.
struct FaceStatus {
    QString requested;
    std::optional<InstalledFace> drawing;
    bool drawsChinese = false;
};

// Short lines for the user after a run, most important first; the last one
// always says what the run made.
QStringList RunNotices(const RunReport& report, const FaceStatus& face);

// The line after a copy; frames is empty when the copied text holds no sketch
// the board could run.
QString CopyNotice(std::optional<int> frames);

}  // namespace award
