// Every form written for every sign, board and brightness reads back as
// written: the same shows, the sign and board its driver is for, and the
// brightness the sketch names; a brightness a hand edit puts outside 1-8 is
// refused with its line.

#include "ItemStylePrinter.h"
#include "SignTargetPrinters.h"
#include "reading/SketchReader.h"
#include "marquee/MarqueeWriter.h"
#include "phrases/SketchWriter.h"
#include "program/ProgramWriter.h"
#include "sign/SignGeometry.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace award {

namespace {

std::vector<ColumnWords> Pages(int count, int seed) {
    std::vector<ColumnWords> pages(std::size_t(count), ColumnWords{});
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (std::size_t j = 0; j < pages[p].size(); ++j)
            pages[p][j] = std::uint16_t((p * 64 + j + std::size_t(seed)) * 40503u);
    return pages;
}

QString PhraseSketch(const SignTarget& target) {
    SketchWriter writer;
    writer.BeginSketch(TableStore::Sram, target);
    for (const ColumnWords& page : Pages(3, 1)) writer.AppendFrame(page);
    writer.EndSketch(3);
    return writer.SketchText();
}

QString MarqueeSketch(const SignTarget& target) {
    std::vector<std::uint16_t> columns;
    for (const ColumnWords& page : Pages(2, 2)) columns.insert(columns.end(), page.begin(), page.end());
    return MarqueeWriter::Sketch(columns, 8, target);
}

ProgramFrames Program(const SignTarget& target) {
    ProgramFrames program;
    program.target = target;
    program.items.push_back({ItemStyle::Blink, 90, 0, Pages(2, 3), {}});
    program.items.push_back({ItemStyle::ScrollLeft, 0, 4, {}, std::vector<std::uint16_t>(70, 0x0FF0)});
    return program;
}

QString ProgramSketch(const SignTarget& target) { return ProgramWriter::Sketch(Program(target)); }

struct Form {
    const char* name;
    std::function<QString(const SignTarget&)> sketch;
};

void PrintTo(const Form& form, std::ostream* out) { *out << form.name; }

const Form kForms[] = {{"Phrases", PhraseSketch}, {"Marquee", MarqueeSketch}, {"Program", ProgramSketch}};

const SignTarget kTargets[] = {
    {SignKind::School, BoardKind::Mega2560, SIGN_BRIGHTEST},
    {SignKind::School, BoardKind::Mega2560, 3},
    {SignKind::P10Pair, BoardKind::Mega2560, SIGN_BRIGHTEST},
    {SignKind::P10Pair, BoardKind::Uno, 1},
};

std::string TargetName(const SignTarget& t) {
    return std::string(t.sign == SignKind::School ? "School" : "P10") + (t.board == BoardKind::Uno ? "Uno" : "Mega") +
           "Brightness" + std::to_string(t.brightness);
}

SignTarget TargetOf(const SketchForm& form) {
    return std::visit([](const auto& shown) { return shown.target; }, form);
}

class EverySign : public testing::TestWithParam<std::tuple<Form, SignTarget>> {};

TEST_P(EverySign, ReadsBackWithItsSignBoardAndBrightness) {
    const auto& [form, target] = GetParam();
    const QString text = form.sketch(target);
    // The reader refuses directives; the Arduino IDE adds the includes itself.
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("^\\s*#"), QRegularExpression::MultilineOption)));
    const SketchReading reading = ReadSketchOrWhy(text);
    ASSERT_TRUE(reading.sketch) << reading.refusal.Words().toStdString();
    EXPECT_TRUE(TargetOf(*reading.sketch) == target);

    // The same shows as on the school's sign at full brightness, lit as the sketch says.
    Shows expected = ShowsOf(*ReadSketch(form.sketch({})));
    expected.brightness = std::uint8_t(target.brightness);
    Shows shown = ShowsOf(*reading.sketch);
    if (const auto* phrases = std::get_if<PhraseFrames>(&*reading.sketch)) {
        EXPECT_EQ(phrases->driver, KeepsOwnPhraseSketch(target) ? PhraseDriver::Own : PhraseDriver::Engine);
        // The school's own driver counts a frame's sweeps in 16 bits, the engine in 32: alike for these.
        for (Show& show : shown.shows) show.kind = SHOW_FRAMES;
        for (Show& show : expected.shows) show.kind = SHOW_FRAMES;
    }
    EXPECT_TRUE(shown == expected);
}

INSTANTIATE_TEST_SUITE_P(FormsAndTargets, EverySign, testing::Combine(testing::ValuesIn(kForms), testing::ValuesIn(kTargets)),
                         [](const testing::TestParamInfo<std::tuple<Form, SignTarget>>& row) {
                             return std::string(std::get<Form>(row.param).name) + "_" +
                                    TargetName(std::get<SignTarget>(row.param));
                         });

// The brightness line of a sketch, as a hand edit leaves it.
QString WithBrightness(const QString& sketch, const QString& value) {
    QString edited = sketch;
    edited.replace(QRegularExpression(QStringLiteral("(brightness=)[^;]*;")), QStringLiteral("\\1") + value + u';');
    return edited;
}

int LineOf(const QString& text, QStringView what) { return int(text.left(text.indexOf(what)).count(u'\n')) + 1; }

struct Edit {
    const char* name;
    const char* value;
    int brightness;  // 0: refused
};

void PrintTo(const Edit& edit, std::ostream* out) { *out << edit.name; }

class BrightnessEdit : public testing::TestWithParam<std::tuple<Form, Edit>> {};

TEST_P(BrightnessEdit, IsReadAsTheCompilerReadsItOrRefusedOnItsLine) {
    const auto& [form, edit] = GetParam();
    const QString text = WithBrightness(form.sketch({SignKind::P10Pair, BoardKind::Uno, 5}), QString::fromLatin1(edit.value));
    const SketchReading reading = ReadSketchOrWhy(text);
    if (edit.brightness == 0) {
        ASSERT_FALSE(reading.sketch);
        EXPECT_EQ(reading.refusal.line, LineOf(text, u"brightness="));
        EXPECT_TRUE(reading.refusal.why.contains(QStringLiteral("brightness"))) << reading.refusal.why.toStdString();
        return;
    }
    ASSERT_TRUE(reading.sketch) << reading.refusal.Words().toStdString();
    EXPECT_EQ(TargetOf(*reading.sketch).brightness, edit.brightness);
    EXPECT_EQ(ShowsOf(*reading.sketch).brightness, edit.brightness);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BrightnessEdit,
    testing::Combine(testing::ValuesIn(kForms),
                     testing::Values(Edit{"Dimmest", " 1", 1}, Edit{"Octal", "010", 8}, Edit{"Hexadecimal", "0x3", 3},
                                     Edit{"Dark", "0", 0}, Edit{"PastTheBrightest", "9", 0},
                                     Edit{"WouldWrapToFour", "260", 0}, Edit{"Negative", "-2", 0},
                                     Edit{"NotANumber", "bright", 0})),
    [](const testing::TestParamInfo<std::tuple<Form, Edit>>& row) {
        return std::string(std::get<Form>(row.param).name) + "_" + std::get<Edit>(row.param).name;
    });

// The Uno cannot read through far addresses, nor drive the school's sign:
// a driver edited to the other board's, or to the school's on the Uno, is
// not one the reader knows for the sketch's tables.
TEST(EverySign, ADriverIsForOneSignAndBoard) {
    const QString uno = ProgramSketch({SignKind::P10Pair, BoardKind::Uno});
    QString edited = uno;
    edited.replace(QStringLiteral("pgm_read_dword(&items[t][f])"),
                   QStringLiteral("pgm_read_dword_far(pgm_get_far_address(items)+(t*5UL+f)*4UL)"));
    const SketchReading reading = ReadSketchOrWhy(edited);
    EXPECT_FALSE(reading.sketch);
    EXPECT_GT(reading.refusal.line, 0);
}

}  // namespace
}  // namespace award
