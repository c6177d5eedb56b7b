#pragma once

#include <QImage>
#include <QString>

#include "refusal/Refusal.h"

namespace award {

// A picture file read for the sign: its first frame (of an animated GIF too),
// turned upright as a camera's orientation tag says, as the sign's rows
// (picture/SignRows.h); or why it could not be, in the user's words.
struct PictureRead {
    QImage rows;
    Refusal refusal;
};

// Reads PNG, JPEG, BMP and GIF, and whatever else Qt's image readers take.
// Only a regular file is read, as files/RegularFile.h reads.
PictureRead ReadSignPicture(const QString& path);

// What the file dialog offers.
QString PictureFileFilter();

}  // namespace award
