// Program files: what a spreadsheet or a text editor may save reads back as
// the program, and a bad row is refused with its line and nothing read.

#include "ItemStylePrinter.h"
#include "ProgramCsvRoundTrip.h"
#include "files/Big5.h"
#include "files/ProgramFile.h"
#include "sign/SignTiming.h"

#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <random>

namespace award {
namespace {

QByteArray Utf8(const char16_t* text) { return QString::fromUtf16(text).toUtf8(); }

struct FileRow {
    const char* name;
    QByteArray bytes;
    Program expected;
    // Words the notices of reading hold; nothing when there are none.
    const char16_t* noticed = nullptr;
};

void PrintTo(const FileRow& row, std::ostream* out) { *out << row.name; }

const ProgramItem kDefaults{};

ProgramItem Item(const char16_t* text, ItemStyle style = ItemStyle::Static, double hold = 1.5,
                 MarqueeSpeed speed = MarqueeSpeed::Medium, ItemAlign align = ItemAlign::Centre) {
    return {QString::fromUtf16(text), style, hold, speed, align};
}

// An item without a picture whose threshold and 反相 are set all the same.
ProgramItem WithSettings(ProgramItem item, std::optional<int> threshold, bool inverted) {
    item.picture.threshold = threshold;
    item.picture.inverted = inverted;
    return item;
}

class ProgramFileReads : public ::testing::TestWithParam<FileRow> {};

TEST_P(ProgramFileReads, TheProgramTheFileHolds) {
    const ProgramFileRead read = ReadProgramCsv(GetParam().bytes);
    ASSERT_TRUE(!read.refusal) << read.refusal.line << ": " << read.refusal.why.toStdString();
    EXPECT_EQ(read.program, GetParam().expected);
    const QString notices = read.notices.join(u' ');
    if (GetParam().noticed) {
        EXPECT_TRUE(notices.contains(QString::fromUtf16(GetParam().noticed))) << notices.toStdString();
    } else {
        EXPECT_TRUE(notices.isEmpty()) << notices.toStdString();
    }
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
        FileRow{"EveryWayToShowAfterTheFirstFive",
                 Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r\n甲,下移,,慢,\r\n乙,右移,,快,\r\n丙,逐字\r\n丁,展開\r\n"
                      u"戊,百葉窗,2\r\n己,溶解,,,靠左\r\n"),
                 {Item(u"甲", ItemStyle::ScrollDown, 1.5, MarqueeSpeed::Slow), Item(u"乙", ItemStyle::ScrollRight, 1.5, MarqueeSpeed::Fast),
                  Item(u"丙", ItemStyle::ByCharacter), Item(u"丁", ItemStyle::Open), Item(u"戊", ItemStyle::Blinds, 2.0),
                  Item(u"己", ItemStyle::Dissolve, 1.5, MarqueeSpeed::Medium, ItemAlign::Left)}},
        FileRow{"Big5", Big5(u"內容,顯示方式,停留秒數,速度,對齊\r\n資訊科,靜止,3,,靠左\r\n"),
                {Item(u"資訊科", ItemStyle::Static, 3.0, kDefaults.speed, ItemAlign::Left)}},
        FileRow{"Utf16", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                             .encode(QStringLiteral("內容,顯示方式,停留秒數,速度,對齊\r\n金牌,靜止,1.0,,\r\n")),
                {Item(u"金牌", ItemStyle::Static, 1.0)}},
        FileRow{"BlankRowsAndTrailingCommas", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,\r\n\r\n,,,,\r\n第一名,,,,,\r\n"),
                {Item(u"第一名")}},
        // Excel's 「Unicode 文字」: UTF-16 with a mark, cells parted by tabs.
        FileRow{"TabsInUtf16AsExcelExportsUnicodeText",
                QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                    .encode(QStringLiteral("內容\t顯示方式\t停留秒數\t速度\t對齊\r\n恭喜 得獎\t上移\t2.5\t快\t靠左\r\n")),
                {Item(u"恭喜 得獎", ItemStyle::ScrollUp, 2.5, MarqueeSpeed::Fast, ItemAlign::Left)},
                u"Tab"},
        // Where the comma is the decimal mark, Excel parts cells by semicolons.
        FileRow{"SemicolonsWithADecimalComma", Utf8(u"內容;顯示方式;停留秒數;速度;對齊\r\n賀,恭喜;閃爍;2,5;;\r\n"),
                {Item(u"賀,恭喜", ItemStyle::Blink, 2.5)},
                u"分號"},
        FileRow{"PictureColumnLeftEmpty", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,圖片\r\n恭喜,,,,,\r\n賀\r\n"),
                {Item(u"恭喜"), Item(u"賀")}},
        // Kept as a style's unused speed is, for a picture chosen later.
        FileRow{"ThresholdAndInvertedWithoutAPicture",
                Utf8(u"內容,顯示方式,停留秒數,速度,對齊,圖片,門檻,反相\r\n恭喜,,,,,,90,是\r\n賀,,,,,,自動,否\r\n"),
                {WithSettings(Item(u"恭喜"), 90, true), Item(u"賀")}}),
    [](const auto& row) { return std::string(row.param.name); });

struct BadRow {
    const char* name;
    QByteArray bytes;
    int line;  // of the file
    int row;   // of the spreadsheet
    const char16_t* mentioned;
};

void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }

class ProgramFileRefuses : public ::testing::TestWithParam<BadRow> {};

TEST_P(ProgramFileRefuses, TheFirstBadRowWithItsLine) {
    const ProgramFileRead read = ReadProgramCsv(GetParam().bytes);
    EXPECT_FALSE(!read.refusal);
    EXPECT_TRUE(read.program.empty()) << "half a program was read";
    EXPECT_EQ(read.refusal.line, GetParam().line);
    EXPECT_EQ(read.refusal.row, GetParam().row);
    EXPECT_TRUE(read.refusal.Words().contains(QString::fromUtf16(GetParam().mentioned)))
        << read.refusal.Words().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramFileRefuses,
    ::testing::Values(
        BadRow{"UnknownStyleAfterAMultiLineCell",
               Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n\"一\n二\",靜止\n好,飛\n"), 4, 3, u"第 3 列（文字檔的第 4 行）：顯示方式「飛」"},
        BadRow{"HoldAfterATwoLineCellInRowFive",
               Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r\n甲\r\n\"兩\r\n行\"\r\n乙\r\n丙,,9.99\r\n"), 6, 5,
               u"第 5 列（文字檔的第 6 行）：停留秒數「9.99」"},
        BadRow{"CarriageReturnLineEnds", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r好,靜止\r棒,飛\r"), 3, 3, u"第 3 列：顯示方式「飛」"},
        BadRow{"MixedLineEnds", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r\n好\n棒\r甲,,,很快\n"), 4, 4, u"很快"},
        BadRow{"ControlCharacterInAStyle", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好\n好,靜\x01止\n"), 3, 3, u"U+0001"},
        BadRow{"NulInASpeed", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,,快") + QByteArray(1, '\0') + "\n", 2, 2, u"U+0000"},
        BadRow{"HoldBelowHalfASecond", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,0.4\n"), 2, 2, u"0.4"},
        BadRow{"HoldBetweenTenths", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,1.25\n"), 2, 2, u"1.25"},
        BadRow{"HoldJustBelowATenth", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,0.49999999\n"), 2, 2, u"0.49999999"},
        BadRow{"HoldWithAGroupingComma", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,\"0,001.5\"\n"), 2, 2, u"0,001.5"},
        BadRow{"UnknownSpeed", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,,很快\n"), 2, 2, u"很快"},
        BadRow{"UnknownAlignment", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,,,靠右\n"), 2, 2, u"靠右"},
        BadRow{"ASixthCell", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,,,,,多的\n"), 2, 2, u"多的"},
        BadRow{"QuoteLeftOpen", Utf8(u"內容,顯示方式,停留秒數,速度,對齊\n好,靜止\n\"沒有結束,靜止\n"), 3, 3, u"引號"},
        BadRow{"NoHeader", Utf8(u"恭喜,靜止\n"), 1, 1, u"第一列"},
        BadRow{"CommaInsideAQuotedHeaderCell", Utf8(u"\"內容,顯示方式\",停留秒數,速度,對齊\n好\n"), 1, 1,
               u"「內容,顯示方式」"},
        BadRow{"SemicolonsWithAnotherHeader", Utf8(u"\n名稱;方式;秒\n好;靜止;2\n"), 2, 2, u"分號"},
        BadRow{"MissingPicture", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,圖片\r\n好\r\n賀,,,,,沒有這張圖.png\r\n"), 3, 3,
               u"第 3 列：圖片「沒有這張圖.png」無法使用：找不到"},
        BadRow{"ThresholdPastTheBrightest", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,圖片,門檻\n好,,,,,,256\n"), 2, 2, u"256"},
        BadRow{"ThresholdInWords", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,圖片,門檻\n好,,,,,,亮一點\n"), 2, 2, u"亮一點"},
        BadRow{"InvertedNeitherYesNorNo", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,圖片,門檻,反相\n好,,,,,,,對\n"), 2, 2,
               u"反相「對」"},
        BadRow{"ANinthCell", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,圖片,門檻,反相\n好,,,,,,,,多的\n"), 2, 2, u"八欄"},
        BadRow{"ColumnsOutOfOrder", Utf8(u"內容,顯示方式,停留秒數,速度,對齊,門檻\n好\n"), 1, 1, u"圖片、門檻、反相"}),
    [](const auto& row) { return std::string(row.param.name); });

// Files saved before pictures came are what a program without them saves.
TEST(ProgramFileSave, AProgramWithoutPicturesKeepsTheFiveColumns) {
    EXPECT_EQ(ProgramCsv({Item(u"恭喜", ItemStyle::Blink, 2.5), Item(u"好,棒", ItemStyle::ScrollLeft, 1.5, MarqueeSpeed::Fast)}),
              "\xEF\xBB\xBF" + Utf8(u"內容,顯示方式,停留秒數,速度,對齊\r\n恭喜,閃爍,2.5,中,置中\r\n\"好,棒\",左移,1.5,快,置中\r\n"));
}

TEST(ProgramFileSave, SavedFileReadsBackAndAFailureSaysWhy) {
    QTemporaryDir dir;
    const Program program{Item(u"恭喜, 賀", ItemStyle::Blink, 12.3), Item(u"好", ItemStyle::ScrollLeft)};
    ASSERT_FALSE(SaveProgramFile(dir.filePath("p.csv"), program));
    EXPECT_EQ(ReadProgramFile(dir.filePath("p.csv")).program, program);
    EXPECT_TRUE(SaveProgramFile(dir.filePath("missing/p.csv"), program));
}

// Whatever the editor holds saves to a file that opens as the same program,
// characters that most readers take for binary included; and every file the
// reader takes after random damage to a good one saves and opens the same.
// tests/fuzz/program_csv_fuzz.cpp checks the same on any input.
TEST(ProgramFileRoundTrip, WhatSavesOpensAgainAsTheSameProgram) {
    const QString tricky = QString::fromUtf16(u"\x0b\x0c\x85\x7f\x01\x1b\t\r\n \x3000\xfeff\"\x2c;賀𠀋") + QChar(u'\0');
    for (const char32_t code : tricky.toUcs4()) {
        const QString c = QString::fromUcs4(&code, 1);
        const Program program{{c}, {QStringLiteral("前") + c + QStringLiteral("後")}, {c + QStringLiteral("賀") + c}};
        const auto difference = SaveDifference(program);
        EXPECT_FALSE(difference) << difference->toStdString();
    }

    std::mt19937 random(22);
    const auto pick = [&](qsizetype count) { return qsizetype(random() % std::uint32_t(count)); };
    const QByteArray good = ProgramCsv({Item(u"恭喜\r\n本校", ItemStyle::Blink, 2.5), Item(u" 林志遠,", ItemStyle::ScrollLeft)});
    const QByteArray damage("\",;\t\r\n \x0b\x01\x00\xC2\x85\xE3\x80\x80", 16);
    for (int run = 0; run < 20000; ++run) {
        QByteArray units;
        for (qsizetype i = pick(40); i > 0; --i) {
            const QChar c = pick(2) ? tricky[pick(tricky.size())] : QChar(char16_t(random()));  // surrogates too
            units += char(pick(256)) + QByteArray(1, char(pick(8))) + char(c.unicode() & 0xFF) + char(c.unicode() >> 8);
        }
        const auto saved = SaveDifference(ProgramFromBytes(units));
        ASSERT_FALSE(saved) << saved->toStdString();

        QByteArray file = good;
        for (qsizetype i = 1 + pick(3); i > 0; --i) {
            const char byte = pick(2) ? damage[pick(damage.size())] : char(random());
            if (pick(2)) file.insert(pick(file.size() + 1), byte);
            else file[pick(file.size())] = byte;
        }
        const auto reopened = ReopenDifference(file);
        ASSERT_FALSE(reopened) << file.toHex().toStdString() << ": " << reopened->toStdString();
    }
}

TEST(ProgramFileOpen, RefusesWhatIsNoFileInTheUsersLanguage) {
    QTemporaryDir dir;
    for (const auto& [path, mentioned] : {std::pair(dir.path(), u"資料夾"), std::pair(dir.filePath("missing.csv"), u"找不到")}) {
        const ProgramFileRead read = ReadProgramFile(path);
        EXPECT_FALSE(!read.refusal);
        EXPECT_TRUE(read.refusal.why.contains(QString::fromUtf16(mentioned))) << read.refusal.why.toStdString();
    }
}

}  // namespace
}  // namespace award
