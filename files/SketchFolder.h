#pragma once

#include "refusal/Refusal.h"

#include <QString>

#include <functional>
#include <optional>

namespace award {

// The Arduino IDE opens a sketch only from a folder of the sketch's own name:
// NAME/NAME.ino.
struct SketchPlace {
    QString name;
    QString folder;
    QString file;
    bool mended = false;  // name is not what was asked for
    Refusal refusal;      // when no name could be made
};

// The IDE takes letters, digits and underscores, starting with a letter or a
// digit, at most 63 of them. Anything else becomes an underscore and leading
// underscores go; a name with nothing left is refused.
std::optional<QString> MendSketchName(const QString& wanted);

// Where a sketch goes for a path chosen in a save dialog: the folder NAME
// beside the chosen file, or the chosen folder itself when it is already
// called NAME, as when the user picks an existing sketch to replace it.
SketchPlace PlaceSketch(const QString& chosenPath);

enum class ExportOutcome { Written, Declined, Failed };
struct ExportResult {
    ExportOutcome outcome;
    Refusal refusal;  // when failed
};

// Writes the sketch text byte for byte as UTF-8. An existing sketch file is
// replaced only when mayReplace, asked with its path, says yes.
ExportResult ExportSketch(const SketchPlace& place, const QString& sketch,
                          const std::function<bool(const QString& file)>& mayReplace);

}  // namespace award
