// How well the sign shows the award phrases of tests/data/award_phrases.txt in
// each face: isolated lit LEDs, characters cut into more pieces than their
// outline has, and legibility, the share of the characters that tesseract
// (chi_tra) reads back from an enlarged picture of the LEDs.
//
//   ./build/bench/stroke_figures_bench

#include "StrokeFigures.h"

#include "surface/DrawingSurface.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

using award::DrawingSurface;
using award::FontStyle;
using namespace award::test;

// Pixels per LED in the picture tesseract reads, and phrases per picture.
constexpr int kLedPixels = 6;
constexpr int kPhrasesPerPage = 25;

int CommonLength(const QList<uint>& a, const QList<uint>& b) {
    std::vector<int> previous(static_cast<std::size_t>(b.size()) + 1, 0), row(previous.size(), 0);
    for (qsizetype i = 0; i < a.size(); ++i) {
        for (qsizetype j = 0; j < b.size(); ++j)
            row[static_cast<std::size_t>(j + 1)] = a[i] == b[j] ? previous[static_cast<std::size_t>(j)] + 1
                                                                : std::max(row[static_cast<std::size_t>(j)],
                                                                           previous[static_cast<std::size_t>(j + 1)]);
        std::swap(previous, row);
    }
    return previous.back();
}

QList<uint> Ideographs(const QString& text) {
    QList<uint> out;
    for (const uint c : text.toUcs4())
        if (c >= 0x3400) out << c;
    return out;
}

// The characters tesseract reads back correctly, in order, of the phrases
// drawn one a line; -1 when tesseract cannot be run.
int ReadBack(const std::vector<LedGrid>& leds, const QStringList& phrases, const QTemporaryDir& dir) {
    int read = 0;
    for (qsizetype first = 0; first < phrases.size(); first += kPhrasesPerPage) {
        const qsizetype count = std::min<qsizetype>(kPhrasesPerPage, phrases.size() - first);
        const int lineHeight = 24 * kLedPixels;
        QImage page(64 * kLedPixels + 8 * kLedPixels, static_cast<int>(count) * lineHeight + 8 * kLedPixels,
                    QImage::Format_Grayscale8);
        page.fill(255);
        QString expected;
        for (qsizetype i = 0; i < count; ++i) {
            const LedGrid& grid = leds[static_cast<std::size_t>(first + i)];
            expected += phrases[first + i];
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 64; ++x) {
                    if (!grid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) continue;
                    for (int py = 0; py < kLedPixels; ++py)
                        for (int px = 0; px < kLedPixels; ++px)
                            page.setPixel(4 * kLedPixels + x * kLedPixels + px,
                                          4 * kLedPixels + static_cast<int>(i) * lineHeight + y * kLedPixels + py, 0);
                }
        }
        const QString png = dir.filePath(QStringLiteral("page.png"));
        page.save(png);
        QProcess tesseract;
        tesseract.start(QStringLiteral("tesseract"),
                        {png, QStringLiteral("stdout"), QStringLiteral("-l"), QStringLiteral("chi_tra"),
                         QStringLiteral("--psm"), QStringLiteral("6")});
        if (!tesseract.waitForFinished(120000) || tesseract.exitCode() != 0) return -1;
        read += CommonLength(Ideographs(expected), Ideographs(QString::fromUtf8(tesseract.readAllStandardOutput())));
    }
    return read;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList phrases = AwardPhrases();
    if (phrases.isEmpty()) {
        std::fprintf(stderr, "the phrase list could not be read\n");
        return 1;
    }
    QTemporaryDir dir;
    std::printf("%-10s %9s %8s %10s %13s %13s %11s\n", "style", "isolated", "lit", "phrases", "whole chars",
                "counters kept", "read back");
    // Per character, the counters of the regular weight, which bold must keep.
    std::vector<int> regularCounters;
    for (const FontStyle& style : {FontStyle{award::kMingFaceName, false, false},
                                   FontStyle{award::kKaiFaceName, false, false},
                                   FontStyle{award::kKaiFaceName, true, false}}) {
        DrawingSurface surface;
        surface.SetStyle(style);
        const auto face = surface.ResolvedFace();
        int isolated = 0, lit = 0, phrasesWithIsolated = 0, characters = 0, whole = 0, kept = 0;
        std::vector<LedGrid> leds;
        for (const QString& phrase : phrases) {
            leds.push_back(ScanLeds(surface, phrase));
            const int lone = IsolatedLeds(leds.back());
            isolated += lone;
            phrasesWithIsolated += lone > 0;
            lit += LitLeds(leds.back());
            for (const uint c : phrase.toUcs4()) {
                ++characters;
                const int outline = face ? OutlineGroups(*face, c) : -1;
                const LedGrid alone = ScanLeds(surface, QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1));
                whole += outline >= 0 && LitGroups(alone) <= outline;
                const int counters = Counters(alone);
                if (!style.bold && style.face == award::kKaiFaceName) regularCounters.push_back(counters);
                if (style.bold) kept += counters == regularCounters[static_cast<std::size_t>(characters - 1)];
            }
        }
        const int read = ReadBack(leds, phrases, dir);
        const QString name = style.face + (style.bold ? QStringLiteral(" 粗體") : QString());
        const QString keptShare = style.bold ? QStringLiteral("%1 %").arg(100.0 * kept / characters, 0, 'f', 1)
                                             : QStringLiteral("-");
        std::printf("%-10s %9d %8d %5d of %3d %6.1f %%  %12s  %s\n", name.toUtf8().constData(), isolated, lit,
                    phrasesWithIsolated, static_cast<int>(phrases.size()), 100.0 * whole / characters,
                    keptShare.toUtf8().constData(),
                    read < 0 ? "no tesseract"
                             : QStringLiteral("%1 (%2 of %3)")
                                   .arg(static_cast<double>(read) / characters, 0, 'f', 3)
                                   .arg(read)
                                   .arg(characters)
                                   .toUtf8()
                                   .constData());
    }
    return 0;
}
