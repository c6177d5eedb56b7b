#include "ItemStylePrinter.h"
#include "HandEditedSketches.h"
#include "SketchChecks.h"
#include "ReadPhrases.h"
#include "reading/SketchReader.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "program/ProgramWriter.h"
#include "sign/ColumnWords.h"
#include "sign/SignGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace award {
namespace {

TEST(SketchReader, ReadsFramesOfAKnownSketchInOrder) {
    const auto frames = test::ReadPhrases(test::ReadGolden("two_known_frames.ino"));
    ASSERT_TRUE(frames.has_value());
    ASSERT_EQ(frames->frames.size(), 2u);
    EXPECT_EQ(frames->tableRows, 4);
    EXPECT_EQ(frames->frames[0].delayFactor, 1);
    EXPECT_EQ(frames->frames[0].words[3], 384);
    EXPECT_EQ(frames->frames[0].words[63], 65535);
    EXPECT_EQ(frames->frames[1].words[0], 1);
    EXPECT_EQ(frames->frames[1].words[1], 32768);
    EXPECT_EQ(frames->frames[1].words[62], 65535);
    int lit = 0;
    for (const auto& frame : frames->frames)
        for (auto word : frame.words) lit += word != 0;
    EXPECT_EQ(lit, 5);
}

// The board tests compile the same texts and check that the board agrees.
class HandEdit : public testing::TestWithParam<test::HandEditedSketch> {};

TEST_P(HandEdit, IsReadAsTheCompilerReadsIt) {
    const test::HandEditedSketch& sketch = GetParam();
    const auto frames = test::ReadPhrases(sketch.text);
    ASSERT_EQ(frames.has_value(), sketch.frames.has_value());
    if (!frames) {
        const SketchReading reading = ReadSketchOrWhy(sketch.text);
        EXPECT_FALSE(reading.sketch.has_value());
        EXPECT_FALSE(reading.refusal.why.isEmpty());
        EXPECT_TRUE(reading.refusal.why.contains(QString::fromUtf16(sketch.named))) << reading.refusal.why.toStdString();
        return;
    }
    ASSERT_EQ(int(frames->frames.size()), *sketch.frames);
    EXPECT_EQ(frames->frames[0].words[3], sketch.column4);
}

INSTANTIATE_TEST_SUITE_P(SketchReader, HandEdit, testing::ValuesIn(test::HandEditedSketches()),
                         [](const auto& row) { return test::HandEditName(row.param); });

// A teacher's typing slip in a sketch the program wrote: the reader names the
// line it is on and what it found there, and reads nothing.
TEST(SketchReader, NamesTheLineOfAHandEditItCannotRead) {
    struct Slip {
        const char16_t* was;
        const char16_t* typed;
        const char16_t* named;  // what the reason quotes
    };
    const Slip slips[] = {
        {u", 384,", u", 38x4,", u"38x4"},       // not a number at all
        {u", 384,", u", abc,", u"abc"},         // a name where a number belongs
        {u", 384,", u", 3.5,", u"3.5"},         // not a whole number
        {u"delay(500)", u"delay(600)", u"500"}, // the driver changed
        {u"num= 2", u"num= 9", u"9"},           // more frames than the table holds
        {u"delay(500)", u"delay(\u3000500)", u"全形"},
    };
    const QString golden = test::ReadGolden("two_known_frames.ino");
    for (const Slip& slip : slips) {
        QString text = golden;
        const qsizetype at = text.indexOf(QStringView(slip.was));
        ASSERT_GE(at, 0);
        text.replace(at, QStringView(slip.was).size(), QString::fromUtf16(slip.typed));
        const int line = int(QStringView(text).first(at).count(u'\n')) + 1;
        const SketchReading reading = ReadSketchOrWhy(text);
        const std::string typed = QString::fromUtf16(slip.typed).toStdString();
        EXPECT_FALSE(reading.sketch.has_value()) << typed;
        EXPECT_EQ(reading.refusal.line, line) << typed;
        EXPECT_TRUE(reading.refusal.Words().startsWith(QStringLiteral("第 %1 行：").arg(line))) << typed;
        EXPECT_TRUE(reading.refusal.why.contains(QString::fromUtf16(slip.named)))
            << typed << ": " << reading.refusal.why.toStdString();
    }
    EXPECT_TRUE(ReadSketchOrWhy(golden).refusal.why.isEmpty());

    // The same in a program's item table.
    ProgramFrames program;
    program.items.push_back({ItemStyle::Static, 234, 8, {ColumnWords{}}, {}});
    QString text = ProgramWriter::Sketch(program);
    const qsizetype at = text.indexOf(QStringLiteral(" 234,"));
    ASSERT_GE(at, 0);
    text.replace(at, 5, QStringLiteral(" abc,"));
    const SketchReading reading = ReadSketchOrWhy(text);
    EXPECT_FALSE(reading.sketch.has_value());
    EXPECT_EQ(reading.refusal.line, int(QStringView(text).first(at).count(u'\n')) + 1);
    EXPECT_TRUE(reading.refusal.why.contains(QStringLiteral("abc"))) << reading.refusal.why.toStdString();
}

// A flash table of three parts, each row marked with its own frame number.
TEST(SketchReader, ReadsATableKeptInFlash) {
    constexpr int kFrames = 2 * kFlashPartRows + 7;
    SketchWriter writer;
    writer.BeginSketch(TableStore::Flash);
    for (int k = 1; k <= kFrames; ++k) {
        ColumnWords words{};
        words[std::size_t(k % kSignColumns)] = std::uint16_t(k);
        writer.AppendFrame(words);
    }
    writer.EndSketch(kFrames);
    const QString text = writer.SketchText();
    ASSERT_TRUE(text.contains(QStringLiteral("b2[][65] PROGMEM")));

    const auto frames = test::ReadPhrases(text);
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(frames->store, TableStore::Flash);
    ASSERT_EQ(int(frames->frames.size()), kFrames);
    for (int k = 1; k <= kFrames; ++k) ASSERT_EQ(frames->frames[k - 1].words[k % kSignColumns], k) << k;

    // A part that no longer holds its 252 rows moves every later frame: not ours.
    QString shortPart = text;
    shortPart.remove(shortPart.indexOf(QStringLiteral(",{1,")), shortPart.indexOf(QStringLiteral("\r\n,{1,")) + 2);
    EXPECT_FALSE(ReadSketch(shortPart).has_value());
}


// An item's numbers are read as avr-g++ types them, where int is 16 bits and
// long 32: the minus is taken in the literal's own type.
TEST(SketchReader, ReadsAnItemsNumbersAsTheBoardTypesThem) {
    struct Row {
        const char16_t* hold;
        std::uint32_t sweeps;
    };
    const Row rows[] = {
        {u"-0xFFB2", 78},                // unsigned int: 65,536 - 65,458
        {u"-1", 0xFFFFFFFFu},            // int, widened with its sign
        {u"-1u", 0xFFFFu},               // unsigned int
        {u"-1ul", 0xFFFFFFFFu},          // unsigned long
        {u"-32768", 0xFFFF8000u},        // long: 32,768 is past int
        {u"-0x8000", 0x8000u},           // unsigned int
        {u"-0100000", 0x8000u},          // octal, unsigned int too
        {u"- -0xFFFC", 0xFFFCu},         // twice
        {u"-0x10000", 0xFFFF0000u},      // long
        {u"0b101", 5},
    };
    ProgramFrames program;
    program.items.push_back({ItemStyle::Static, 234, 8, {ColumnWords{}}, {}});
    const QString written = ProgramWriter::Sketch(program);
    for (const Row& row : rows) {
        const auto read = ReadSketch(QString(written).replace(QStringLiteral(" 234,"), QString::fromUtf16(row.hold) + u','));
        const auto* items = read ? std::get_if<ProgramFrames>(&*read) : nullptr;
        ASSERT_TRUE(items) << QString::fromUtf16(row.hold).toStdString();
        EXPECT_EQ(items->items[0].holdSweeps, row.sweeps) << QString::fromUtf16(row.hold).toStdString();
    }
    // A style the same way: -0xFFFC is 4, 拉幕.
    const auto read = ReadSketch(QString(written).replace(QStringLiteral("{ 0, 0, 1,"), QStringLiteral("{ -0xFFFC, 0, 1,")));
    ASSERT_TRUE(read);
    EXPECT_EQ(std::get<ProgramFrames>(*read).items[0].style, ItemStyle::Wipe);
}

// Hand edits of a program sketch that the compiler rejects or reads otherwise
// than the reader would: each refused with its line and its reason, so that
// the preview never plays a sketch that does not build as it shows.
struct ProgramEdit {
    const char* what;
    QString (*edit)(QString sketch);
    const char16_t* named;  // what the reason says
};

void PrintTo(const ProgramEdit& edit, std::ostream* out) { *out << edit.what; }

QString Replaced(QString text, QStringView was, QStringView typed) {
    return text.replace(text.indexOf(was), was.size(), typed.toString());
}

// The declaration that starts at `name` moved to just after `anchor`, or to the end.
QString Moved(QString text, QStringView name, QStringView anchor) {
    const qsizetype from = text.indexOf(name);
    const qsizetype to = text.indexOf(QStringLiteral("};\r\n"), from) + 4;
    const QString declaration = text.mid(from, to - from);
    text.remove(from, to - from);
    const qsizetype after = anchor.empty() ? text.size() : text.indexOf(u'\n', text.indexOf(anchor)) + 1;
    return text.insert(after, declaration);
}

class ProgramHandEdit : public testing::TestWithParam<ProgramEdit> {};

TEST_P(ProgramHandEdit, IsRefusedWithItsLineAndReason) {
    const ProgramEdit& edit = GetParam();
    ProgramFrames program;
    program.items.push_back({ItemStyle::Static, 234, 8, {ColumnWords{}}, {}});
    const QString written = ProgramWriter::Sketch(program);
    ASSERT_TRUE(ReadSketch(written));
    const QString text = edit.edit(written);
    ASSERT_NE(text, written);
    const SketchReading reading = ReadSketchOrWhy(text);
    EXPECT_FALSE(reading.sketch.has_value());
    EXPECT_GT(reading.refusal.line, 0);
    EXPECT_TRUE(reading.refusal.why.contains(QString::fromUtf16(edit.named))) << reading.refusal.why.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    SketchReader, ProgramHandEdit,
    testing::Values(
        ProgramEdit{"ItemsAfterTheirCount",
                    [](QString sketch) { return Moved(sketch, u"const unsigned long items", u"const unsigned int itemCount"); },
                    u"items"},
        ProgramEdit{"WordsAtTheEnd", [](QString sketch) { return Moved(sketch, u"const unsigned int w0", u""); }, u"w0"},
        ProgramEdit{"AnInclude", [](QString sketch) { return sketch.prepend(u"#include <nosuch_award.h>\r\n"); }, u"#include"},
        ProgramEdit{"APragma", [](QString sketch) { return sketch.prepend(u"#pragma GCC poison show\r\n"); }, u"#pragma"},
        ProgramEdit{"BracesLeftOut", [](QString sketch) { return Replaced(sketch, u"{ 0, 0, 1, 234, 8}", u"0, 0, 1, 234, 8"); },
                    u"{"},
        ProgramEdit{"ACharLiteral", [](QString sketch) { return Replaced(sketch, u" 234,", u" 'a',"); }, u"'a'"},
        ProgramEdit{"AFloat", [](QString sketch) { return Replaced(sketch, u" 234,", u" 2.5,"); }, u"2.5"},
        ProgramEdit{"PastSixtyFourBits", [](QString sketch) { return Replaced(sketch, u" 234,", u" 99999999999999999999,"); },
                    u"99999999999999999999"},
        ProgramEdit{"Static",
                    [](QString sketch) { return Replaced(sketch, u"const unsigned long items", u"static const unsigned long items"); },
                    u"static"},
        ProgramEdit{"AMacro", [](QString sketch) { return Replaced(sketch, u" 234,", u" A0,"); }, u"A0"},
        ProgramEdit{"FirstPastTheEnd", [](QString sketch) { return Replaced(sketch, u"{ 0, 0, 1,", u"{ 0, 99, 1,"); }, u"99"},
        // The engine plays this kind as a phrase table's frames.
        ProgramEdit{"AStyleForFrames", [](QString sketch) { return Replaced(sketch, u"{ 0, 0, 1,", u"{ 5, 0, 1,"); }, u"5"}),
    [](const auto& row) { return std::string(row.param.what); });

}  // namespace
}  // namespace award
