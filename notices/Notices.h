#pragma once

#include "conversion/BannerConverter.h"
#include "program/ProgramConverter.h"
#include "reading/SketchReader.h"
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
// says what the run made, unless it was refused, which the first one says.
QStringList RunNotices(const RunReport& report, const FaceStatus& face);
// What of the run's notices concerns the banner itself: too many phrases for
// the board or the table kept in flash, phrases cut short, text left out.
QStringList RunWarnings(const RunReport& report);

// No Chinese face at all, or a stand-in drawing the face asked for: what the
// window's notices say of the face, for the command to say too.
QStringList FaceNotices(const FaceStatus& face);

// The same for a program run: the program's length and flash use, or why it
// was refused.
QStringList ProgramNotices(const ProgramReport& report, const FaceStatus& face);
// What of them concerns the program itself: why it was refused, characters
// the face lacks.
QStringList ProgramWarnings(const ProgramReport& report);
// Why a program run wrote nothing, as the window and the command say it;
// empty when it was not refused.
QString ProgramRefusal(const ProgramReport& report);

// The line after a copy, from what the copied text holds; nothing when it
// holds no sketch the board could run.
QString CopyNotice(const std::optional<SketchForm>& sketch);
// The same, with the reason when the text is no sketch the board runs.
QString CopyNotice(const SketchReading& reading);
// What the notices say of a hand-edited sketch the board cannot run:
// 「第 N 行：…」.
QString EditedSketchNotice(const Refusal& refusal);

}  // namespace award
