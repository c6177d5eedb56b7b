#include "board/BoardToolchain.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace award::toolchain {
namespace {

constexpr const char* kArduinoBuilder = "/usr/bin/arduino-builder";
constexpr const char* kAvrdude = "/usr/bin/avrdude";

// One file that each package installs and the tools need.
constexpr struct {
    const char* package;
    const char* file;
} kPackages[] = {
    {"arduino-builder", kArduinoBuilder},
    {"arduino-core-avr", "/usr/share/arduino/hardware/arduino/avr/boards.txt"},
    {"gcc-avr", "/usr/bin/avr-g++"},
    {"avr-libc", "/usr/lib/avr/include/avr/io.h"},
    {"avrdude", kAvrdude},
};

}  // namespace

QStringList MissingPackages() {
    QStringList missing;
    for (const auto& [package, file] : kPackages)
        if (!QFileInfo::exists(QLatin1String(file))) missing << QLatin1String(package);
    return missing;
}

QString MissingPackagesAdvice(const QStringList& packages) {
    return QStringLiteral("需要先安裝 Debian 套件：%1（sudo apt install %1）").arg(packages.join(u' '));
}

QString CoreCacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/award-banner/arduino-core");
}

QString CompilerProgram() { return QLatin1String(kArduinoBuilder); }

QStringList CompileArguments(const QString& sketchFile, const QString& buildFolder) {
    return {QStringLiteral("-compile"),
            QStringLiteral("-hardware"), QStringLiteral("/usr/share/arduino/hardware"),
            QStringLiteral("-hardware"), QStringLiteral("/usr/share/arduino-builder"),
            QStringLiteral("-tools"), QStringLiteral("/usr/share/arduino-builder"),
            QStringLiteral("-fqbn"), QStringLiteral("arduino:avr:mega:cpu=atmega2560"),
            QStringLiteral("-build-path"), buildFolder,
            QStringLiteral("-build-cache"), CoreCacheFolder(),
            // Debian 12's Arduino core does not build as shipped: its
            // WString.cpp needs DECIMAL_DIG, which avr-gcc 5.4 with avr-libc
            // 2.0 defines for C only. The compiler's own value is the one
            // later compilers give C++ as well.
            QStringLiteral("-prefs=compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__"),
            sketchFile};
}

QString UploaderProgram() { return QLatin1String(kAvrdude); }

QStringList UploadArguments(const QString& port, const QString& hexFile) {
    // The Mega 2560's upload settings in boards.txt and the avrdude
    // configuration platform.txt names. -D: the bootloader refuses a chip
    // erase and erases each page as it writes it.
    return {QStringLiteral("-C/etc/avrdude.conf"), QStringLiteral("-patmega2560"),
            QStringLiteral("-cwiring"),            QStringLiteral("-b115200"),
            QStringLiteral("-D"),                  QStringLiteral("-P") + port,
            QStringLiteral("-Uflash:w:") + hexFile + QStringLiteral(":i")};
}

}  // namespace award::toolchain
