// Program files with pictures: each picture's path as seen from the file's
// folder, a program saved and opened again as the same program, also once
// the folders have moved together, and a picture that cannot be read
// refusing the whole file with its row.

#include "ItemStylePrinter.h"
#include "PictureSamples.h"
#include "files/PictureFile.h"
#include "files/PicturePath.h"
#include "files/ProgramFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace award {
namespace {

struct PathRow {
    const char* name;
    const char* folder;
    const char* picture;
    const char* inFile;
};

void PrintTo(const PathRow& row, std::ostream* out) { *out << row.name; }

class PicturePaths : public ::testing::TestWithParam<PathRow> {};

// An absolute path as the system writes it: on Windows, from a drive unless
// it names one or a share already.
QString Rooted(const char* path) {
    QString rooted = QString::fromUtf8(path);
#ifdef Q_OS_WIN
    if (rooted.startsWith(u'/') && !rooted.startsWith(QStringLiteral("//"))) rooted.prepend(QStringLiteral("C:"));
#endif
    return rooted;
}

TEST_P(PicturePaths, AsTheFileHoldsThemAndBack) {
    const QDir folder(Rooted(GetParam().folder));
    const QString picture = Rooted(GetParam().picture);
    const QString inFile = Rooted(GetParam().inFile);
    EXPECT_EQ(PicturePathInFile(picture, folder), inFile);
    // Windows names one file whatever the case of its letters; back from the
    // file, the folder's part keeps the folder's own case.
#ifdef Q_OS_WIN
    constexpr auto kNamesCase = Qt::CaseInsensitive;
#else
    constexpr auto kNamesCase = Qt::CaseSensitive;
#endif
    const QString back = PicturePathFromFile(inFile, folder);
    EXPECT_EQ(back.compare(picture, kNamesCase), 0) << back.toStdString();
}

std::vector<PathRow> PathRows() {
    std::vector<PathRow> rows{
        {"BesideTheFile", "/home/老師/節目", "/home/老師/節目/校徽.png", "校徽.png"},
        {"InAFolderBelow", "/home/老師/節目", "/home/老師/節目/圖/校徽.png", "圖/校徽.png"},
        {"InAFolderBeside", "/home/老師/節目", "/home/老師/圖片/校徽.png", "../圖片/校徽.png"},
        {"NothingInCommonButTheRoot", "/home/老師/節目", "/media/usb/校徽.png", "/media/usb/校徽.png"},
    };
#ifdef Q_OS_WIN
    rows.push_back({"AnotherShareOfTheSameServer", "//server/share/節目", "//server/other/校徽.png", "//server/other/校徽.png"});
    rows.push_back({"AnotherDrive", "C:/Users/老師/節目", "D:/校徽.png", "D:/校徽.png"});
    rows.push_back({"TheDrivesRootAlone", "C:/Users/老師/節目", "C:/校徽.png", "C:/校徽.png"});
    rows.push_back({"NamesDifferingInCase", "C:/Users/老師/節目", "c:/users/老師/圖片/校徽.png", "../圖片/校徽.png"});
#endif
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Paths, PicturePaths, ::testing::ValuesIn(PathRows()),
                         [](const auto& row) { return std::string(row.param.name); });

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

ItemPicture Read(const QString& path, std::optional<int> threshold = std::nullopt, bool inverted = false) {
    return {path, ReadSignPicture(path).rows, threshold, inverted};
}

TEST(ProgramFilePictures, OpenAgainAsTheSameProgramWithTheirPathsRelative) {
    QTemporaryDir root;
    const QDir school(root.filePath(QStringLiteral("學校")));
    ASSERT_TRUE(school.mkpath(QStringLiteral("節目/圖")) && school.mkpath(QStringLiteral("圖庫")));
    const QImage pattern = PatternPicture(30, 4).rows;
    ASSERT_TRUE(Write(school.filePath(QStringLiteral("節目/校徽.png")), Encoded(pattern, "png")));
    ASSERT_TRUE(Write(school.filePath(QStringLiteral("節目/圖/金牌.gif")),
                      TwoColourGif(3, 2, {{true, false, true, false, false, true}})));
    ASSERT_TRUE(Write(school.filePath(QStringLiteral("圖庫/logo.bmp")), Encoded(pattern.scaled(60, 32), "bmp")));

    const auto program = [](const QDir& at) {
        return Program{{QStringLiteral("恭喜"), ItemStyle::Static, 1.5, MarqueeSpeed::Medium, ItemAlign::Left,
                        Read(at.filePath(QStringLiteral("節目/校徽.png")))},
                       {QString(), ItemStyle::ScrollLeft, 1.5, MarqueeSpeed::Fast, ItemAlign::Centre,
                        Read(at.filePath(QStringLiteral("節目/圖/金牌.gif")), 90)},
                       {QStringLiteral("賀"), ItemStyle::Blink, 2.0, MarqueeSpeed::Medium, ItemAlign::Centre,
                        Read(at.filePath(QStringLiteral("圖庫/logo.bmp")), std::nullopt, true)},
                       {QStringLiteral("林同學"), ItemStyle::Wipe}};
    };
    const Program saved = program(school);
    for (const ProgramItem& item : saved) ASSERT_TRUE(item.text == u"林同學" || item.picture.HasPicture());
    const QString csv = school.filePath(QStringLiteral("節目/典禮.csv"));
    ASSERT_FALSE(SaveProgramFile(csv, saved));

    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    EXPECT_TRUE(text.contains(ProgramCsvColumns().join(u',')));
    for (const char16_t* relative : {u",校徽.png,自動,否", u",圖/金牌.gif,90,否", u",../圖庫/logo.bmp,自動,是", u"林同學,拉幕,1.5,中,置中,,,"})
        EXPECT_TRUE(text.contains(QString::fromUtf16(relative))) << text.toStdString();
    EXPECT_FALSE(text.contains(root.path())) << text.toStdString();

    const ProgramFileRead opened = ReadProgramFile(csv);
    ASSERT_TRUE(!opened.refusal) << opened.refusal.Words().toStdString();
    EXPECT_EQ(opened.program, saved);

    // The school's folder copied to a USB stick, under another name.
    const QDir moved(root.filePath(QStringLiteral("隨身碟的學校")));
    ASSERT_TRUE(QDir().rename(school.path(), moved.path()));
    const ProgramFileRead carried = ReadProgramFile(moved.filePath(QStringLiteral("節目/典禮.csv")));
    ASSERT_TRUE(!carried.refusal) << carried.refusal.Words().toStdString();
    EXPECT_EQ(carried.program, program(moved));
}

TEST(ProgramFilePictures, APictureThatCannotBeReadRefusesTheFileWithItsRow) {
    QTemporaryDir dir;
    ASSERT_TRUE(Write(dir.filePath(QStringLiteral("校徽.png")), Encoded(PatternPicture(20, 1).rows, "png")));
    ASSERT_TRUE(Write(dir.filePath(QStringLiteral("名單.png")), QStringLiteral("王小明\n").toUtf8()));
    const QString csv = dir.filePath(QStringLiteral("p.csv"));
    ASSERT_TRUE(Write(csv, QStringLiteral("內容,顯示方式,停留秒數,速度,對齊,圖片\n恭喜,,,,,校徽.png\n賀,,,,,名單.png\n").toUtf8()));
    const ProgramFileRead read = ReadProgramFile(csv);
    EXPECT_FALSE(!read.refusal);
    EXPECT_TRUE(read.program.empty()) << "half a program was read";
    EXPECT_EQ(read.refusal.row, 3);
    const QString problem = read.refusal.Words();
    EXPECT_TRUE(problem.startsWith(QStringLiteral("第 3 列：圖片「名單.png」"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("PNG、JPEG、BMP 或 GIF"))) << problem.toStdString();
}

}  // namespace
}  // namespace award
