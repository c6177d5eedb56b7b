#include "files/PicturePath.h"

#include <QStringList>

namespace award {
namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif

// Folders both paths start with, the root ("" or "C:") counted as one.
qsizetype CommonFolders(const QString& a, const QString& b) {
    const QStringList left = a.split(u'/');
    const QStringList right = b.split(u'/');
    qsizetype common = 0;
    while (common < left.size() && common < right.size() &&
           left[common].compare(right[common], kNames) == 0)
        ++common;
    return common;
}

}  // namespace

QString PicturePathInFile(const QString& picture, const QDir& folder) {
    const QString absolute = QDir::cleanPath(QDir(folder).absoluteFilePath(picture));
    const QString base = QDir::cleanPath(folder.absolutePath());
    // A leading "//" is a network share: its server and share are its root.
    const qsizetype root = absolute.startsWith(QStringLiteral("//")) ? 4 : 1;
    if (CommonFolders(absolute, base) <= root) return absolute;
    return folder.relativeFilePath(absolute);
}

QString PicturePathFromFile(const QString& cell, const QDir& folder) {
    return QDir::cleanPath(folder.absoluteFilePath(QDir::fromNativeSeparators(cell)));
}

}  // namespace award
