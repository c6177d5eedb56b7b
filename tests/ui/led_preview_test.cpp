#include "marquee/MarqueeWriter.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "sign/ColumnWords.h"
#include "ui/LedPreview.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

using award::LedPreview;
using award::SketchWriter;

namespace {

using Words = award::ColumnWords;

QString SketchOf(const std::vector<Words>& frames, award::TableStore store = award::TableStore::Sram) {
    SketchWriter writer;
    writer.BeginSketch(store);
    for (const Words& words : frames) writer.AppendFrame(words);
    writer.EndSketch(static_cast<int>(frames.size()));
    return writer.SketchText();
}

// Which of the 64 x 16 LEDs the panel lights, as column words.
Words Shown(const LedPreview& preview) {
    Words words{};
    for (int column = 0; column < 64; ++column)
        for (int row = 0; row < 16; ++row)
            if (preview.Lit(column, row)) words[column] |= std::uint16_t(1u << row);
    return words;
}

Words Only(int column, std::uint16_t word) {
    Words words{};
    words[column] = word;
    return words;
}

}  // namespace

class LedPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void playsFramesInOrderThenStartsOver() {
        const std::vector<Words> frames = {Only(0, 0x0001), Only(63, 0x8000), Only(31, 0xFFFF)};
        LedPreview preview;
        preview.SetSketchText(SketchOf(frames));
        QVERIFY(preview.HasSketch());
        QCOMPARE(preview.FrameCount(), 3);
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(preview.ShownFrame(), i + 1);
                QVERIFY(Shown(preview) == frames[i]);
                // 101 sweeps, which the phrase sketch's columns make last
                // 661 ms on the board, then half a second dark.
                QCOMPARE(preview.PhaseMilliseconds(), 661);
                preview.Step();
                QCOMPARE(preview.ShownFrame(), 0);
                QVERIFY(Shown(preview) == Words{});
                QCOMPARE(preview.PhaseMilliseconds(), 500);
                preview.Step();
            }
        }
    }

    void columnWordOneIsTheLeftmostLedAndBitZeroTheTopRow() {
        LedPreview preview;
        preview.SetSketchText(SketchOf({Only(0, 0x0001)}));
        QVERIFY(preview.Lit(0, 0));
        QVERIFY(!preview.Lit(1, 0));
        QVERIFY(!preview.Lit(0, 1));
        QVERIFY(!preview.Lit(63, 15));
    }

    void followsHandEditsOfTheTable_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("litColumn");
        QTest::addColumn<int>("litMilliseconds");
        QTest::addColumn<bool>("flash");
        // A sweep of the phrase sketch takes 6.544 ms on the board.
        QTest::newRow("edited word") << ",{1, 1, 0," << ",{1, 0, 1," << 2 << 1 << 661 << false;
        QTest::newRow("longer delay") << ",{1, 1," << ",{2, 1," << 2 << 0 << 1315 << false;
        QTest::newRow("count cut to one") << "num= 2;" << "num= 1;" << 1 << 0 << 661 << false;
        // 100 x 656 wraps to 64 in the board's 16-bit loop: 65 sweeps.
        QTest::newRow("delay wraps in 16 bits") << ",{1, 1," << ",{656, 1," << 2 << 0 << 425 << false;
        QTest::newRow("flash: edited word") << ",{1, 1, 0," << ",{1, 0, 1," << 2 << 1 << 661 << true;
        QTest::newRow("flash: delay counts in 32 bits") << ",{1, 1," << ",{656, 1," << 2 << 0 << 429293 << true;
    }
    void followsHandEditsOfTheTable() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, frames);
        QFETCH(int, litColumn);
        QFETCH(int, litMilliseconds);
        QFETCH(bool, flash);
        QString text = SketchOf({Only(0, 1), Only(5, 1)}, flash ? award::TableStore::Flash : award::TableStore::Sram);
        text.replace(from, to);
        LedPreview preview;
        preview.SetSketchText(text);
        QCOMPARE(preview.FrameCount(), frames);
        QVERIFY(preview.Lit(litColumn, 0));
        QCOMPARE(preview.PhaseMilliseconds(), litMilliseconds);
    }

    void staysDarkWithoutASketchItCanRead_data() {
        QTest::addColumn<QString>("text");
        const QString good = SketchOf({Only(0, 1)});
        QTest::newRow("initial text") << QStringLiteral("Text3");
        QTest::newRow("row too long") << QString(good).replace(QStringLiteral(", 1, 0,"), QStringLiteral(", 1, 0, 0,"));
        QTest::newRow("count past the table") << QString(good).replace(QStringLiteral("num= 1;"), QStringLiteral("num= 5;"));
        QTest::newRow("no frame") << SketchOf({});
    }
    void staysDarkWithoutASketchItCanRead() {
        QFETCH(QString, text);
        LedPreview preview;
        preview.SetSketchText(SketchOf({Only(0, 1)}));
        QVERIFY(preview.HasSketch());
        preview.SetSketchText(text);
        QVERIFY(!preview.HasSketch());
        QCOMPARE(preview.ShownFrame(), 0);
        QVERIFY(Shown(preview) == Words{});
        QVERIFY(!preview.StatusLine().isEmpty());
        preview.Step();  // the timer may still fire once
        QVERIFY(Shown(preview) == Words{});
    }

    void anUnchangedTableKeepsPlaying() {
        const QString text = SketchOf({Only(0, 1), Only(1, 1)});
        LedPreview preview;
        preview.SetSketchText(text);
        preview.Step();
        preview.Step();
        QCOMPARE(preview.ShownFrame(), 2);
        preview.SetSketchText(text + QStringLiteral("// a comment typed below the sketch\r\n"));
        QCOMPARE(preview.ShownFrame(), 2);
        preview.SetSketchText(SketchOf({Only(0, 1), Only(2, 1)}));
        QCOMPARE(preview.ShownFrame(), 1);
    }

    // Step s shows text column s + j - 64 at LED column j, each step for its
    // sweeps: a pass is as long on the panel as on the board.
    void playsAMarqueeAtTheBoardsPace() {
        const std::vector<std::uint16_t> columns = {0x0001, 0x8000, 0xFFFF};
        LedPreview preview;
        preview.SetSketchText(award::MarqueeWriter::Sketch(columns, 4));
        QVERIFY(preview.HasSketch());
        const int steps = int(columns.size()) + 64;
        QCOMPARE(preview.FrameCount(), steps);
        int milliseconds = 0;
        for (int s = 0; s <= steps; ++s) {
            Words expected{};
            for (int j = 0; j < 64; ++j) {
                const int at = s % steps + j - 64;
                if (at >= 0 && at < int(columns.size())) expected[j] = columns[at];
            }
            QVERIFY2(Shown(preview) == expected, qPrintable(QStringLiteral("step %1").arg(s)));
            if (s < steps) milliseconds += preview.PhaseMilliseconds();
            preview.Step();
        }
        QCOMPARE(milliseconds, int(std::lround(steps * 4 * 6.4)));
    }

    // The out-of-date mark frames the panel and names itself, but every LED
    // stays in sight: all 1,024 lit ones are counted apart in the picture.
    void theOutOfDateMarkCoversNoLed() {
        LedPreview preview;
        preview.resize(740, 144);
        Words all{};
        all.fill(0xFFFF);
        preview.SetSketchText(SketchOf({all}));
        preview.SetOutOfDate(true);
        const QImage picture = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto lit = [&](int x, int y) {
            const QColor colour = picture.pixelColor(x, y);
            return colour.red() > 200 && colour.green() < 100;
        };
        std::vector<bool> seen(std::size_t(picture.width() * picture.height()));
        int leds = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (!lit(x, y) || seen[std::size_t(y * picture.width() + x)]) continue;
                ++leds;
                std::vector<QPoint> todo{{x, y}};
                seen[std::size_t(y * picture.width() + x)] = true;
                while (!todo.empty()) {
                    const QPoint at = todo.back();
                    todo.pop_back();
                    for (const QPoint next : {at + QPoint(1, 0), at - QPoint(1, 0), at + QPoint(0, 1), at - QPoint(0, 1)}) {
                        if (!picture.rect().contains(next) || !lit(next.x(), next.y())) continue;
                        const auto index = std::size_t(next.y() * picture.width() + next.x());
                        if (!seen[index]) todo.push_back(next);
                        seen[index] = true;
                    }
                }
            }
        }
        QCOMPARE(leds, 64 * 16);
    }

    // A dimmed sketch, as the sketch names it, draws its lit LEDs darker, and
    // the dimmer the darker; unlit ones stay as they are.
    void aDimmedSketchDrawsDimmerLeds() {
        Words all{};
        all.fill(0x00FF);
        const auto colours = [&](int brightness) {
            LedPreview preview;
            preview.resize(740, 144);
            const std::vector<std::uint16_t> columns(all.begin(), all.end());
            preview.SetSketchText(award::MarqueeWriter::Sketch(columns, 4, {award::SignKind::P10Pair,
                                                                            award::BoardKind::Uno, brightness}));
            while (Shown(preview) != all) preview.Step();
            const QImage picture = preview.grab().toImage();
            // The middle of the LED of row 1 and of row 16 in column 32.
            const int x = int(4 + (32 + 0.5) * (740 - 8.0) / 64);
            return std::pair{picture.pixelColor(x, int(4 + 0.5 * (144 - 8.0) / 16)),
                             picture.pixelColor(x, int(4 + 15.5 * (144 - 8.0) / 16))};
        };
        const auto [full, fullOff] = colours(8);
        const auto [half, halfOff] = colours(4);
        const auto [dim, dimOff] = colours(1);
        QVERIFY(full.red() > half.red() && half.red() > dim.red());
        QVERIFY(dim.red() > dimOff.red());
        QCOMPARE(fullOff, dimOff);
        QCOMPARE(halfOff, dimOff);
    }

    void theTimerPlaysOnByItself() {
        LedPreview preview;
        preview.SetSketchText(SketchOf({Only(0, 1), Only(1, 1)}));
        QCOMPARE(preview.ShownFrame(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(preview.ShownFrame(), 0, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(preview.ShownFrame(), 2, 3000);
    }
};

QTEST_MAIN(LedPreviewTest)
#include "led_preview_test.moc"
