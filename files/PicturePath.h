#pragma once

#include <QDir>
#include <QString>

namespace award {

// A picture's path as a program file holds it: relative to the file's folder,
// so that the folders move together to another computer or a USB stick, or
// absolute where the picture lies elsewhere (another drive, or nothing in
// common with the folder but the drive's root). Always with "/".
QString PicturePathInFile(const QString& picture, const QDir& folder);

// The picture a program file's cell names, as an absolute path: a relative
// one from the file's folder. On Windows "\" parts folders too.
QString PicturePathFromFile(const QString& cell, const QDir& folder);

}  // namespace award
