// The reader refuses what the board cannot hold before allocating for it, and
// its containers stay a small multiple of the text. This binary counts every
// operator new, so it runs apart from the other tests.

#include "reading/SketchReader.h"
#include "marquee/MarqueeFormat.h"
#include "marquee/MarqueeWriter.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "program/ProgramFormat.h"
#include "program/ProgramWriter.h"
#include "sign/ColumnWords.h"
#include "sign/MeasuredCapacities.h"
#include "sketch/SketchCode.h"

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

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace award {
namespace {

// Our driver for `parts` empty parts, each declared as large as a part gets.
QString EmptyParts(QString text, int parts, QStringView stem, const QString& size, const QString& last) {
    for (int part = 0; part < parts; ++part)
        text += QStringLiteral("const unsigned int %1%2 PROGMEM={};\r\n").arg(sketch::PartName(stem, part), size);
    return text + last;
}
QString FlashTableOfParts(int parts) {
    return EmptyParts(SketchWriter::FixedCode(TableStore::Flash, parts), parts, kTableName,
                      QStringLiteral("[%1][65]").arg(kFlashPartRows),
                      QStringLiteral("unsigned int %1= 0;").arg(kCountName));
}
QString MarqueeOfParts(int parts) {
    return EmptyParts(MarqueeWriter::FixedCode(parts), parts, kMarqueePartName,
                      QStringLiteral("[%1]").arg(kPartWords),
                      QStringLiteral("const unsigned int %1= 8;").arg(kMarqueeSweepsName));
}

// Our program driver with `parts` parts of `words` half-lit columns each, and
// `rows` item rows.
QString ProgramOf(int parts, int words, const QString& row, int rows) {
    // The tables before the driver that uses them, as the compiler needs.
    QString text;
    for (int part = 0; part < parts; ++part)
        text += QStringLiteral("const unsigned int %1%2[] PROGMEM={%3};\r\n")
                    .arg(kProgramPartName, QString::number(part), QStringLiteral("4369,").repeated(words));
    text += QStringLiteral("const unsigned long %1[][%2] PROGMEM={%3};\r\n")
                .arg(kProgramItemsName, QString::number(kProgramItemFields), (row + u',').repeated(rows));
    return text + sketch::BrightnessLine(SIGN_BRIGHTEST) + ProgramWriter::FixedCode(parts);
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

void PrintTo(const BigSketch& sketch, std::ostream* os) {
    *os << sketch.name;
}

class ReaderMemory : public testing::TestWithParam<BigSketch> {};

TEST_P(ReaderMemory, RefusesWhatTheBoardCannotHoldAndStaysNearTheTextsSize) {
    const QString text = GetParam().text();
    liveBytes = 0;
    peakBytes = 0;
    counting = true;
    const bool read = ReadSketch(text).has_value();
    counting = false;
    EXPECT_EQ(read, GetParam().read);
    const long long textBytes = text.size() * qsizetype(sizeof(QChar));
    // Beside the text's tokens, the reader holds those of our driver, to compare.
    constexpr long long kDriverBytes = 64 * 1024;
    EXPECT_LE(peakBytes.load(), 8 * textBytes + kDriverBytes) << "text of " << textBytes << " bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Sketches, ReaderMemory,
    testing::Values(
        BigSketch{"TenMegabytesOfSemicolons", [] { return QString(10'000'000, u';'); }, false},
        BigSketch{"FourThousandEmptyFlashParts", [] { return FlashTableOfParts(4000); }, false},
        BigSketch{"FourThousandEmptyMarqueeParts", [] { return MarqueeOfParts(4000); }, false},
        BigSketch{
            "ATableInSramDeclaredPastTheFlash",
            [] { return QString(PhraseTable(1)).replace(QStringLiteral("b[][65]"), QStringLiteral("b[65535][65]")); },
            false},
        BigSketch{"MarqueePartsOneColumnPastTheFlash",
                  [] { return MarqueeWriter::Sketch(std::vector<std::uint16_t>(kMarqueeMaxColumns + 1, 1), 8); },
                  false},
        BigSketch{"TheLongestMarqueeTheFlashHolds",
                  [] { return MarqueeWriter::Sketch(std::vector<std::uint16_t>(kMarqueeMaxColumns, 1), 8); }, true},
        BigSketch{"APhraseTableOneRowPastTheFlash", [] { return PhraseTable(kMega2560MaxFlashPhrases + 1); }, false},
        BigSketch{"TheLongestPhraseTableTheFlashHolds", [] { return PhraseTable(kMega2560MaxFlashPhrases); }, true},
        BigSketch{"FourThousandEmptyProgramParts", [] { return ProgramOf(4000, 0, "{0,0,1,1,1}", 1); }, false},
        BigSketch{"AThousandItemsEachAWholePart",
                  [] { return ProgramOf(1, kPartWords, "{1,0,16383,1,1}", 1000); }, false},
        BigSketch{"ProgramPastTheFlash", [] { return ProgramOf(8, kPartWords, "{1,0,1,1,1}", 1); }, false},
        BigSketch{"SevenFullProgramParts", [] { return ProgramOf(7, kPartWords, "{1,0,114681,1,1}", 1); },
                  true}),
    [](const testing::TestParamInfo<BigSketch>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
