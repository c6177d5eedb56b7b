#include "conversion/BannerConverter.h"
#include "files/AtomicFile.h"
#include "files/BannerFile.h"
#include "surface/DrawingSurface.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace award {
namespace {

// A list file gives the same phrases whether the window opens it or the
// companion command reads it on standard input.
TEST(ListFile, CommandAndWindowReadTheSamePhrases) {
    const struct {
        const char* what;
        QByteArray file;
        int phrases;
    } rows[] = {
        {"LF", "恭喜\n賀\n林志遠\n", 3},
        {"CR LF", "恭喜\r\n賀\r\n林志遠\r\n", 3},
        {"tabs", "王小明\t陳志豪\t林志遠\n", 3},
        {"last line without a break", "王小明\n陳志豪", 2},
        {"blank lines", "\n\n恭喜\n\n\n  賀  \r\n\r\n\r\n", 2},
    };
    QTemporaryDir dir;
    DrawingSurface surface;
    BannerConverter converter(surface);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        ASSERT_FALSE(WriteAtomically(path, row.file));

        QProcess command;
        command.setStandardInputFile(path);
        command.start(QStringLiteral(AWARD_SKETCH_COMMAND), {});
        ASSERT_TRUE(command.waitForFinished(60000));
        EXPECT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();

        const QString window = converter.ConvertBanner(ReadBannerFile(path).text, 3);
        EXPECT_EQ(converter.LastRunReport().frames, row.phrases);
        EXPECT_EQ(command.readAllStandardOutput(), window.toUtf8());
    }
}

}  // namespace
}  // namespace award
