// award-banner-sketch --hex: the HEX file is the board image of the very
// sketch the command writes for the banner, made without the compiler, so
// even where the compiler's cache folder cannot be made.

#include "IntelHexFile.h"

#include "image/FlashImage.h"
#include "reading/SketchReader.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace award {
namespace {

bool Ran(QProcess& command, const QStringList& args, const QByteArray& banner) {
    command.start(QStringLiteral(AWARD_SKETCH_COMMAND), args);
    command.write(banner);
    command.closeWriteChannel();
    return command.waitForFinished(60000);
}

TEST(HexFile, IsTheImageOfTheSketchMadeWithoutTheCompiler) {
    const QByteArray banner = QStringLiteral("恭賀 新年快樂 萬事如意 ").toUtf8();
    QProcess sketchCommand;
    ASSERT_TRUE(Ran(sketchCommand, {}, banner));
    const auto shown = ReadSketch(QString::fromUtf8(sketchCommand.readAllStandardOutput()));
    ASSERT_TRUE(shown);
    const auto image = BuildFlashImage(*shown);
    ASSERT_TRUE(std::holds_alternative<QByteArray>(image));

    const QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("banner.hex"));
    QProcess hexCommand;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), QStringLiteral("/dev/null/cache"));
    hexCommand.setProcessEnvironment(environment);
    ASSERT_TRUE(Ran(hexCommand, {QStringLiteral("--hex"), target}, banner));
    const QByteArray said = hexCommand.readAllStandardError();
    EXPECT_EQ(hexCommand.exitCode(), 0) << said.toStdString();
    EXPECT_FALSE(said.contains("編譯…")) << said.toStdString();
    EXPECT_TRUE(hexCommand.readAllStandardOutput().isEmpty());

    QFile hex(target);
    ASSERT_TRUE(hex.open(QIODevice::ReadOnly));
    const auto loaded = test::LoadIntelHex(hex.readAll());
    ASSERT_TRUE(std::holds_alternative<QByteArray>(loaded)) << std::get<std::string>(loaded);
    EXPECT_TRUE(std::get<QByteArray>(loaded) == std::get<QByteArray>(image)) << "the file loads another image";
}

}  // namespace
}  // namespace award
