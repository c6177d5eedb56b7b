#pragma once

#include <QString>

#include <optional>

namespace award {

// One installed face, as a font file and the face's index inside it.
struct InstalledFace {
    QString family;
    QString file;
    int index = 0;

    bool operator==(const InstalledFace&) const = default;
};

// Finds the installed face that draws a requested face name. The two names the
// window offers are Windows faces that a Debian desktop does not have and that
// fontconfig maps to nothing, so the program keeps its own list of stand-ins:
// the name itself, its Windows Latin name, Debian's AR PL face of the same
// style, then any other Traditional Chinese face of that style, then any
// Traditional Chinese face at all, and last any scalable face, which draws
// at least Latin text.
std::optional<InstalledFace> ResolveFace(const QString& requestedName);

// The face names the window offers.
inline const QString kMingFaceName = QStringLiteral("新細明體");
inline const QString kKaiFaceName = QStringLiteral("標楷體");

}  // namespace award
