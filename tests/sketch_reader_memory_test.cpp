// The reader takes in only what the board can hold: a text too big, or a
// table or marquee past the flash, is refused before anything is allocated
// for it, and what the reader's containers hold at their peak stays a small
// multiple of the text. This binary counts every operator new, so it is kept
// apart from the other tests.

#include "conversion/MarqueeWriter.h"
#include "conversion/SketchReader.h"
#include "conversion/SketchWriter.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <ostream>

namespace {

std::atomic<bool> counting{false};
std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void Allocated(void* p) {
    if (!counting.load(std::memory_order_relaxed)) return;
    const long long live = liveBytes += static_cast<long long>(malloc_usable_size(p));
    peakBytes = std::max(peakBytes.load(), live);
}

}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(std::max<std::size_t>(size, 1));
    if (!p) throw std::bad_alloc();
    Allocated(p);
    return p;
}

void operator delete(void* p) noexcept {
    if (p && counting.load(std::memory_order_relaxed)) liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace award {
namespace {

// What the reader's own containers held at most while it read the text.
struct Reading {
    std::optional<SketchFrames> frames;
    long long peakBytes = 0;
};

Reading ReadCounting(const QString& text) {
    liveBytes = 0;
    peakBytes = 0;
    counting = true;
    Reading reading{ReadSketch(text), 0};
    counting = false;
    reading.peakBytes = peakBytes;
    return reading;
}

QString FlashTableOfParts(int parts) {
    QString text = SketchWriter::FixedCode(TableStore::Flash, parts);
    for (int part = 0; part < parts; ++part)
        text += QStringLiteral("const unsigned int %1[%2][65] PROGMEM={};\r\n")
                    .arg(SketchWriter::PartName(kTableName, part))
                    .arg(kFlashPartRows);
    return text + QStringLiteral("unsigned int %1= 0;\r\n").arg(kCountName);
}

QString MarqueeOfParts(int parts) {
    QString text = MarqueeWriter::FixedCode(parts);
    for (int part = 0; part < parts; ++part)
        text += QStringLiteral("const unsigned int %1[%2] PROGMEM={};\r\n")
                    .arg(SketchWriter::PartName(kMarqueePartName, part))
                    .arg(kMarqueePartColumns);
    return text + QStringLiteral("const unsigned int %1= 8;\r\n").arg(kMarqueeSweepsName);
}

QString PhraseTable(int frames) {
    SketchWriter writer;
    writer.BeginSketch(frames > kMega2560MaxPhrases ? TableStore::Flash : TableStore::Sram);
    for (int k = 1; k <= frames; ++k) {
        ColumnWords words;
        words.fill(std::uint16_t(k));
        writer.AppendFrame(words);
    }
    writer.EndSketch(frames);
    return writer.SketchText();
}

struct BigSketch {
    const char* name;
    std::function<QString()> text;
    bool read;
};

void PrintTo(const BigSketch& sketch, std::ostream* os) { *os << sketch.name; }

class ReaderMemory : public testing::TestWithParam<BigSketch> {};

TEST_P(ReaderMemory, RefusesWhatTheBoardCannotHoldAndStaysNearTheTextsSize) {
    const QString text = GetParam().text();
    const Reading reading = ReadCounting(text);
    EXPECT_EQ(reading.frames.has_value(), GetParam().read);
    const long long textBytes = text.size() * qsizetype(sizeof(QChar));
    // Beside the text's tokens, the reader holds those of our driver, to compare.
    constexpr long long kDriverBytes = 64 * 1024;
    EXPECT_LE(reading.peakBytes, 8 * textBytes + kDriverBytes) << "text of " << textBytes << " bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Sketches, ReaderMemory,
    testing::Values(
        BigSketch{"TenMegabytesOfSemicolons", [] { return QString(10'000'000, u';'); }, false},
        BigSketch{"FourThousandEmptyFlashParts", [] { return FlashTableOfParts(4000); }, false},
        BigSketch{"FourThousandEmptyMarqueeParts", [] { return MarqueeOfParts(4000); }, false},
        BigSketch{"ATableInSramDeclaredPastTheFlash",
                  [] {
                      return QString(PhraseTable(1)).replace(QStringLiteral("b[][65]"),
                                                             QStringLiteral("b[65535][65]"));
                  },
                  false},
        BigSketch{"MarqueePartsOneColumnPastTheFlash",
                  [] { return MarqueeWriter::Sketch(std::vector<std::uint16_t>(kMarqueeMaxColumns + 1, 1), 8); },
                  false},
        BigSketch{"TheLongestMarqueeTheFlashHolds",
                  [] { return MarqueeWriter::Sketch(std::vector<std::uint16_t>(kMarqueeMaxColumns, 1), 8); }, true},
        BigSketch{"APhraseTableOneRowPastTheFlash", [] { return PhraseTable(kMega2560MaxFlashPhrases + 1); }, false},
        BigSketch{"TheLongestPhraseTableTheFlashHolds", [] { return PhraseTable(kMega2560MaxFlashPhrases); }, true}),
    [](const testing::TestParamInfo<BigSketch>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
