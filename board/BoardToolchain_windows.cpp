#include "board/BoardToolchain.h"

#include "board/BoardModels.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// On Windows the program ships avrdude (with its avrdude.conf) beside itself,
// but no compiler: Debian's Arduino tools have no Windows build. A sketch the
// program knows goes to the board as its own image; one whose driver was
// edited is left to the Arduino IDE, which opens the exported sketch folder.

namespace award::toolchain {
namespace {

QString BesideProgram(const QString& name) { return QDir(QCoreApplication::applicationDirPath()).filePath(name); }

}  // namespace

QStringList MissingPackages() { return {QStringLiteral("Arduino IDE")}; }

QStringList MissingUploadPackages() {
    if (QFileInfo::exists(BesideProgram(QStringLiteral("avrdude.exe")))) return {};
    return {QStringLiteral("avrdude")};
}

QString MissingPackagesAdvice(const QStringList& packages) {
    if (packages.contains(QStringLiteral("avrdude")))
        return QStringLiteral("程式的資料夾裡少了 avrdude.exe，請重新安裝 award-banner");
    return QStringLiteral("在 Windows 上編譯需要 Arduino IDE：請用 檔案 ▸ 匯出 Arduino 草稿…（Ctrl+E）匯出，"
                          "再用 Arduino IDE 開啟、上傳到看板");
}

QString CoreCacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/award-banner/arduino-core");
}

QString CompilerProgram() { return {}; }

QStringList CompileArguments(const QString&, const QString&, BoardKind) { return {}; }

QString UploaderProgram() { return BesideProgram(QStringLiteral("avrdude.exe")); }

QStringList UploadArguments(const QString& port, const QString& hexFile, BoardKind board, int baud) {
    // As on Linux, with the avrdude.conf that comes with avrdude.exe.
    const BoardModel& model = ModelOf(board);
    return {QStringLiteral("-C") + QDir::toNativeSeparators(BesideProgram(QStringLiteral("avrdude.conf"))),
            QStringLiteral("-p") + model.part, QStringLiteral("-c") + model.programmer,
            QStringLiteral("-b%1").arg(baud), QStringLiteral("-D"), QStringLiteral("-P") + port,
            QStringLiteral("-Uflash:w:") + QDir::toNativeSeparators(hexFile) + QStringLiteral(":i")};
}

}  // namespace award::toolchain
