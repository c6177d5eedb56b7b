// Program files: what a spreadsheet or a text editor may save reads back as
// the program, and a bad row is refused with its line and nothing read.

#include "files/Big5.h"
#include "files/ProgramFile.h"

#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace award {
namespace {

QByteArray Utf8(const char16_t* text) { return QString::fromUtf16(text).toUtf8(); }

struct FileRow {
    const char* name;
    QByteArray bytes;
    Program expected;
};

void PrintTo(const FileRow& row, std::ostream* out) { *out << row.name; }

const ProgramItem kDefaults{};

ProgramItem Item(const char16_t* text, ItemStyle style = ItemStyle::Static, double hold = 1.5,
                 MarqueeSpeed speed = MarqueeSpeed::Medium, ItemAlign align = ItemAlign::Centre) {
    return {QString::fromUtf16(text), style, hold, speed, align};
}

class ProgramFileReads : public ::testing::TestWithParam<FileRow> {};

TEST_P(ProgramFileReads, TheProgramTheFileHolds) {
    const ProgramFileRead read = ReadProgramCsv(GetParam().bytes);
    ASSERT_TRUE(read.ok) << read.line << ": " << read.why.toStdString();
    EXPECT_EQ(read.program, GetParam().expected);
    // Saved and read again, the program is the same.
    EXPECT_EQ(ReadProgramCsv(ProgramCsv(read.program)).program, GetParam().expected);
}

QByteArray Big5(const char16_t* text) { return big5::Encode(QString::fromUtf16(text)).value_or(QByteArray()); }

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramFileReads,
    ::testing::Values(
        FileRow{"AllColumns", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r\n恭喜,上移,2.5,快,靠左\r\n"),
                {Item(u"恭喜", ItemStyle::ScrollUp, 2.5, MarqueeSpeed::Fast, ItemAlign::Left)}},
        FileRow{"EmptyCellsTakeTheDefaults", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n賀,,,,\n,左移\n"),
                {Item(u"賀"), Item(u"", ItemStyle::ScrollLeft)}},
        FileRow{"QuotesCommasAndLineBreaksInside",
                Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r\n\"他說\"\"好\"\"，1,2\r\n第二行\",閃爍,60,,\r\n"),
                {Item(u"他說\"好\"，1,2\r\n第二行", ItemStyle::Blink, 60)}},
        FileRow{"ByteOrderMarkAsExcelSaves", "\xEF\xBB\xBF" + Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r\n好,拉幕,0.5,慢,置中\r\n"),
                {Item(u"好", ItemStyle::Wipe, 0.5, MarqueeSpeed::Slow)}},
        FileRow{"Big5", Big5(u"內容,顯示方式,停留秒數,速度,對齊\r\n資訊科,靜止,3,,靠左\r\n"),
                {Item(u"資訊科", ItemStyle::Static, 3.0, kDefaults.speed, ItemAlign::Left)}},
        FileRow{"Utf16", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                             .encode(QStringLiteral("內容,顯示方式,停留秒數,速度,對齊\r\n金牌,靜止,1.0,,\r\n")),
                {Item(u"金牌", ItemStyle::Static, 1.0)}},
        FileRow{"BlankRowsAndTrailingCommas", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,\r\n\r\n,,,,\r\n第一名,,,,,\r\n"),
                {Item(u"第一名")}}),
    [](const auto& row) { return std::string(row.param.name); });

struct BadRow {
    const char* name;
    QByteArray bytes;
    int line;
    const char16_t* mentioned;
};

void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }

class ProgramFileRefuses : public ::testing::TestWithParam<BadRow> {};

TEST_P(ProgramFileRefuses, TheFirstBadRowWithItsLine) {
    const ProgramFileRead read = ReadProgramCsv(GetParam().bytes);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.program.empty()) << "half a program was read";
    EXPECT_EQ(read.line, GetParam().line);
    EXPECT_TRUE(ProgramFileProblem(read).contains(QString::fromUtf16(GetParam().mentioned)))
        << ProgramFileProblem(read).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramFileRefuses,
    ::testing::Values(
        BadRow{"UnknownStyleAfterAMultiLineCell",
               Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n\"一\n二\",靜止\n好,飛\n"), 4, u"飛"},
        BadRow{"HoldBelowHalfASecond", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,0.4\n"), 2, u"0.4"},
        BadRow{"HoldBetweenTenths", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,1.25\n"), 2, u"1.25"},
        BadRow{"UnknownSpeed", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,,很快\n"), 2, u"很快"},
        BadRow{"UnknownAlignment", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,,,靠右\n"), 2, u"靠右"},
        BadRow{"ASixthCell", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,,,,多的\n"), 2, u"多的"},
        BadRow{"QuoteLeftOpen", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,靜止\n\"沒有結束,靜止\n"), 3, u"引號"},
        BadRow{"NoHeader", Utf8(u"恭喜,靜止\n"), 1, u"第一列"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ProgramFileSave, SavedFileReadsBackAndAFailureSaysWhy) {
    QTemporaryDir dir;
    const Program program{Item(u"恭喜, 賀", ItemStyle::Blink, 12.3), Item(u"好", ItemStyle::ScrollLeft)};
    ASSERT_FALSE(SaveProgramFile(dir.filePath("p.csv"), program));
    EXPECT_EQ(ReadProgramFile(dir.filePath("p.csv")).program, program);
    EXPECT_TRUE(SaveProgramFile(dir.filePath("missing/p.csv"), program).has_value());
    EXPECT_FALSE(ReadProgramFile(dir.filePath("missing.csv")).ok);
}

}  // namespace
}  // namespace award
