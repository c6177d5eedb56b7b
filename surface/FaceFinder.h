#pragma once

#include "surface/FaceResolver.h"

#include <QString>

#include <vector>

namespace award::face_finder {

// What the installed faces are listed by; the platform decides where faces
// are installed and how their names are read.
enum class Filter { Family, TraditionalChinese, Any };

// False when the platform's font list cannot be read at all.
bool Ready();

// Every scalable face whose family (in any of its languages) is `family`, or
// that covers Traditional Chinese, or any scalable face; upright faces nearest
// the regular weight first, ties by file and index, so that the order never
// depends on the order the system lists them in.
std::vector<InstalledFace> List(Filter filter, const QString& family = {});

}  // namespace award::face_finder
