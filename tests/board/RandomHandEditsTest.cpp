// Random hand edits of the numbers in a sketch's tables, written in every
// form C allows for an integer: each edit is either refused by the reader
// with its line and reason, or the board image shows on the simulated Mega
// what the compiled sketch shows there, the same pictures in the same order,
// each for its time within 1 %.
//
// AWARD_HAND_EDITS=<n> runs n edits (a few by default), AWARD_HAND_EDIT_SEED
// another series; the counts are printed at the end.

#include "ItemStylePrinter.h"
#include "BoardTestSupport.h"
#include "ImageRun.h"

#include "program/ProgramConverter.h"
#include "reading/SketchReader.h"
#include "surface/DrawingSurface.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace award::board {
namespace {

constexpr std::uint64_t kWatchedMilliseconds = 1800;

QString SmallProgram() {
    Program program(3);
    program[0] = {QStringLiteral("恭喜"), ItemStyle::Static, 0.5};
    program[1] = {QStringLiteral("賀"), ItemStyle::ScrollUp, 0.5, MarqueeSpeed::Fast};
    program[2] = {QStringLiteral("好"), ItemStyle::ScrollLeft, 0.5, MarqueeSpeed::Fast};
    DrawingSurface surface;
    return ProgramConverter(surface).ConvertProgram(program, {});
}

// A number of the sketch's data: on a line of a table, or a count or speed.
struct Place {
    qsizetype at = 0;
    qsizetype length = 0;
};

std::vector<Place> DataNumbers(const QString& sketch) {
    static const QRegularExpression dataLine(
        QStringLiteral("^(,?\\{.*\\},?|[ 0-9,-]+|.*(num|sweeps)= ?[0-9]+;.*)(   //.*)?$"),
        QRegularExpression::MultilineOption);
    static const QRegularExpression number(QStringLiteral("-?\\b\\d+\\b"));
    std::vector<Place> places;
    for (auto lines = dataLine.globalMatch(sketch); lines.hasNext();) {
        const auto line = lines.next();
        const QString code = line.captured(1);
        for (auto numbers = number.globalMatch(code); numbers.hasNext();) {
            const auto found = numbers.next();
            places.push_back({line.capturedStart(1) + found.capturedStart(), found.capturedLength()});
        }
    }
    return places;
}

// A value written as C may write it: any base, suffix and unary signs.
QString Literal(std::mt19937& random) {
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    std::uint64_t value;
    switch (pick(5)) {
    case 0: value = std::uint64_t(pick(8)); break;
    case 1: value = std::uint64_t(pick(400)); break;
    case 2: value = std::uint64_t(pick(65536)); break;
    case 3: value = 65536 - std::uint64_t(pick(200)); break;
    default: value = random() | (std::uint64_t(pick(2)) << 32); break;
    }
    QString digits;
    switch (pick(4)) {
    case 0: digits = QString::number(value); break;
    case 1: digits = (value ? QStringLiteral("0") : QString()) + QString::number(value, 8); break;
    case 2: digits = (pick(2) ? QStringLiteral("0x") : QStringLiteral("0X")) + QString::number(value, 16); break;
    default: digits = QStringLiteral("0b") + QString::number(value, 2); break;
    }
    if (pick(2)) digits = digits.toUpper().replace(QStringLiteral("0X"), QStringLiteral("0x")).replace(u'B', u'b');
    static const char* const suffixes[] = {"", "", "", "u", "U", "l", "L", "ul", "UL", "lu", "ll", "ULL"};
    digits += QString::fromLatin1(suffixes[pick(int(std::size(suffixes)))]);
    static const char* const signs[] = {"", "", "", "-", "+", "- -", "-+"};
    return QString::fromLatin1(signs[pick(int(std::size(signs)))]) + digits;
}

struct Counts {
    int refused = 0, matched = 0;
};

TEST(RandomHandEdits, AreRefusedWithTheirLineOrShowAsCompiled) {
    const char* asked = std::getenv("AWARD_HAND_EDITS");
    const int edits = asked ? std::atoi(asked) : 6;
    const char* seed = std::getenv("AWARD_HAND_EDIT_SEED");
    std::mt19937 random(seed ? unsigned(std::atoi(seed)) : 20261210u);
    const std::vector<QString> sketches{BannerSketch(3), BannerSketch(60), MarqueeSketch(), SmallProgram()};
    Counts counts;
    for (int n = 0; n < edits; ++n) {
        QString sketch = sketches[random() % sketches.size()];
        const std::vector<Place> places = DataNumbers(sketch);
        ASSERT_FALSE(places.empty());
        const Place place = places[random() % places.size()];
        const QString was = sketch.mid(place.at, place.length);
        const QString typed = Literal(random);
        sketch.replace(place.at, place.length, typed);
        const std::string edit = "edit " + std::to_string(n) + ": " + was.toStdString() + " -> " + typed.toStdString() +
                                 " on line " + std::to_string(QStringView(sketch).first(place.at).count(u'\n') + 1);
        SCOPED_TRACE(edit);

        const SketchReading reading = ReadSketchOrWhy(sketch);
        if (!reading.sketch) {
            ++counts.refused;
            EXPECT_FALSE(reading.refusal.why.isEmpty());
            EXPECT_GT(reading.refusal.line, 0) << reading.refusal.why.toStdString();
            continue;
        }
        const BoardRun compiled =
            RunBuiltSketch(sketch.toStdString(), std::numeric_limits<std::size_t>::max(), kWatchedMilliseconds);
        const BoardRun image = RunImage(sketch, kWatchedMilliseconds);
        ASSERT_TRUE(compiled.stillRunning && image.stillRunning);
        const std::vector<Stretch> expected = Stretches(compiled.writes);
        const std::vector<Stretch> seen = Stretches(image.writes);
        // The last stretch of each may be cut short by the end of the run.
        const std::size_t compared = std::min(seen.size(), expected.size());
        ASSERT_LE(std::max(seen.size(), expected.size()) - compared, 1u) << "the image shows other pictures";
        for (std::size_t i = 0; i + 1 < compared; ++i) {
            SCOPED_TRACE("stretch " + std::to_string(i));
            ASSERT_EQ(seen[i].pause, expected[i].pause);
            ASSERT_TRUE(seen[i].image == expected[i].image) << DescribeDifference(seen[i].image, expected[i].image);
            const auto want = double(expected[i + 1].startCycle - expected[i].startCycle);
            const auto got = double(seen[i + 1].startCycle - seen[i].startCycle);
            EXPECT_NEAR(got / want, 1.0, 0.01) << got / kCyclesPerMillisecond << " ms, compiled "
                                               << want / kCyclesPerMillisecond << " ms";
        }
        ++counts.matched;
    }
    std::printf("%d edits: %d refused with their line, %d shown as compiled\n", edits, counts.refused, counts.matched);
}

}  // namespace
}  // namespace award::board
