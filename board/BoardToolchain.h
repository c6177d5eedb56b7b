#pragma once

#include "sign/SignTarget.h"

#include <QString>
#include <QStringList>

namespace award {

// Debian's Arduino tool chain as this program drives it: which packages it
// takes, and the command lines that compile a sketch for the board chosen
// and load it through the board's bootloader.
namespace toolchain {

// The Debian packages whose files are missing for compiling and uploading;
// empty when all is installed.
QStringList MissingPackages();
// Those missing for uploading a board image, which needs no compiler.
QStringList MissingUploadPackages();
// What the user is told while the board commands are unavailable.
QString MissingPackagesAdvice(const QStringList& packages);

// Where compiled cores are kept between runs, per user.
QString CoreCacheFolder();

QString CompilerProgram();
QStringList CompileArguments(const QString& sketchFile, const QString& buildFolder, BoardKind board);

QString UploaderProgram();
// At one of the speeds BootloaderSpeeds (board/BoardModels.h) names.
QStringList UploadArguments(const QString& port, const QString& hexFile, BoardKind board, int baud);

}  // namespace toolchain
}  // namespace award
