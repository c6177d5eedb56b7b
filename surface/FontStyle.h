#pragma once

#include "surface/FaceResolver.h"

#include <QString>

namespace award {

// The face and style glyphs are drawn with, as the user chose them.
struct FontStyle {
    QString face = kMingFaceName;
    bool bold = false;
    bool italic = false;

    bool operator==(const FontStyle&) const = default;
};

}  // namespace award
