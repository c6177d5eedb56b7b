#include "board/BoardToolchain.h"

#include "board/BoardModels.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace award::toolchain {
namespace {

constexpr const char* kArduinoBuilder = "arduino-builder";
constexpr const char* kAvrdude = "avrdude";

// One file that each package installs and the tools need: a program, looked
// for in the tool folders, or a path.
constexpr struct {
    const char* package;
    const char* program;
    const char* file;
} kPackages[] = {
    {"arduino-builder", kArduinoBuilder, nullptr},
    {"arduino-core-avr", nullptr, "/usr/share/arduino/hardware/arduino/avr/boards.txt"},
    {"gcc-avr", "avr-g++", nullptr},
    {"avr-libc", nullptr, "/usr/lib/avr/include/avr/io.h"},
    {"avrdude", kAvrdude, nullptr},
};

// Where the tools' programs are looked for: /usr/bin, or the folders that
// AWARD_BANNER_TOOL_PATH lists, so that a test can take a tool away.
QStringList ToolFolders() {
    const QByteArray path = qgetenv("AWARD_BANNER_TOOL_PATH");
    if (path.isNull()) return {QStringLiteral("/usr/bin")};
    // An empty list would have findExecutable search PATH instead.
    QStringList folders = QFile::decodeName(path).split(QDir::listSeparator(), Qt::SkipEmptyParts);
    if (folders.isEmpty()) folders << QStringLiteral("/nonexistent");
    return folders;
}

QString Program(const char* name) {
    return QStandardPaths::findExecutable(QLatin1String(name), ToolFolders());
}

QStringList Missing(bool uploadOnly) {
    QStringList missing;
    for (const auto& [package, program, file] : kPackages) {
        if (uploadOnly && program != kAvrdude) continue;
        const bool there = program ? !Program(program).isEmpty() : QFileInfo::exists(QLatin1String(file));
        if (!there) missing << QLatin1String(package);
    }
    return missing;
}

}  // namespace

QStringList MissingPackages() { return Missing(false); }

QStringList MissingUploadPackages() { return Missing(true); }

QString MissingPackagesAdvice(const QStringList& packages) {
    return QStringLiteral("需要先安裝 Debian 套件：%1（sudo apt install %1）").arg(packages.join(u' '));
}

QString CoreCacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/award-banner/arduino-core");
}

QString CompilerProgram() { return Program(kArduinoBuilder); }

QStringList CompileArguments(const QString& sketchFile, const QString& buildFolder, BoardKind board) {
    return {QStringLiteral("-compile"),
            QStringLiteral("-hardware"), QStringLiteral("/usr/share/arduino/hardware"),
            QStringLiteral("-hardware"), QStringLiteral("/usr/share/arduino-builder"),
            QStringLiteral("-tools"), QStringLiteral("/usr/share/arduino-builder"),
            QStringLiteral("-fqbn"), ModelOf(board).fqbn,
            QStringLiteral("-build-path"), buildFolder,
            QStringLiteral("-build-cache"), CoreCacheFolder(),
            // Debian 12's Arduino core does not build as shipped: its
            // WString.cpp needs DECIMAL_DIG, which avr-gcc 5.4 with avr-libc
            // 2.0 defines for C only. The compiler's own value is the one
            // later compilers give C++ as well.
            QStringLiteral("-prefs=compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__"),
            sketchFile};
}

QString UploaderProgram() { return Program(kAvrdude); }

QStringList UploadArguments(const QString& port, const QString& hexFile, BoardKind board, int baud) {
    // The board's upload settings in boards.txt and the avrdude configuration
    // platform.txt names. -D: the bootloader refuses a chip erase and erases
    // each page as it writes it.
    const BoardModel& model = ModelOf(board);
    return {QStringLiteral("-C/etc/avrdude.conf"), QStringLiteral("-p") + model.part,
            QStringLiteral("-c") + model.programmer, QStringLiteral("-b%1").arg(baud),
            QStringLiteral("-D"),                  QStringLiteral("-P") + port,
            QStringLiteral("-Uflash:w:") + hexFile + QStringLiteral(":i")};
}

}  // namespace award::toolchain
