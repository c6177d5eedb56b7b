#pragma once

#include <QString>
#include <QStringList>

namespace award {

// Debian's Arduino tool chain as this program drives it: which packages it
// takes, and the command lines that compile a sketch for the Arduino Mega 2560
// and load it through the board's bootloader.
namespace toolchain {

// The Debian packages whose files are missing; empty when all is installed.
QStringList MissingPackages();
// What the user is told while the board commands are unavailable.
QString MissingPackagesAdvice(const QStringList& packages);

// Where compiled cores are kept between runs, per user.
QString CoreCacheFolder();

QString CompilerProgram();
QStringList CompileArguments(const QString& sketchFile, const QString& buildFolder);

QString UploaderProgram();
QStringList UploadArguments(const QString& port, const QString& hexFile);

}  // namespace toolchain
}  // namespace award
