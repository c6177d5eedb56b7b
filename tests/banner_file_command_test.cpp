#include "conversion/BannerConverter.h"
#include "files/AtomicFile.h"
#include "files/BannerFile.h"
#include "surface/DrawingSurface.h"

#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace award {
namespace {

// A list file gives the same phrases, and the same notices of reading it,
// whether the window opens it or the companion command reads it, on standard
// input or named as its argument.
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
        {"Big5, CR LF", QStringEncoder("Big5").encode(QStringLiteral("林志遠\r\n陳怡君\r\n賀\r\n")), 3},
        {"UTF-16", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom).encode(QStringLiteral("恭喜\n賀\n")), 2},
    };
    QTemporaryDir dir;
    DrawingSurface surface;
    BannerConverter converter(surface);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        ASSERT_FALSE(WriteAtomically(path, row.file));

        const BannerText opened = ReadBannerFile(path);
        const QString window = converter.ConvertBanner(opened.text, FirstScanRow::Row3);
        EXPECT_EQ(converter.LastRunReport().frames, row.phrases);
        for (const bool asArgument : {false, true}) {
            QProcess command;
            if (!asArgument) command.setStandardInputFile(path);
            command.start(QStringLiteral(AWARD_SKETCH_COMMAND), asArgument ? QStringList{path} : QStringList{});
            ASSERT_TRUE(command.waitForFinished(60000));
            const QString said = QString::fromUtf8(command.readAllStandardError());
            EXPECT_EQ(command.exitCode(), 0) << asArgument << said.toStdString();
            EXPECT_EQ(command.readAllStandardOutput(), window.toUtf8()) << asArgument;
            for (const QString& notice : opened.notices) EXPECT_TRUE(said.contains(notice)) << said.toStdString();
            if (opened.form.encoding != TextEncoding::Utf8) {
                EXPECT_TRUE(said.contains(EncodingName(opened.form.encoding))) << said.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace award
