#include "program/ProgramConverter.h"

#include "program/ProgramFormat.h"
#include "marquee/MarqueeWriter.h"
#include "picture/PictureLeds.h"
#include "program/ProgramWriter.h"
#include "sign/BoardMemories.h"
#include "sign/FigureWords.h"
#include "sign/SignTargetNames.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "surface/Characters.h"
#include "surface/ColumnSampling.h"
#include "surface/DrawingSurface.h"

#include <algorithm>
#include <cmath>

namespace award {
namespace {

// How far the ink must move to sit in the middle of the sign, the odd
// column, if any, to the right.
int CentringShift(const ColumnWords& words) {
    const auto inked = [](std::uint16_t word) { return word != 0; };
    const auto left = std::find_if(words.begin(), words.end(), inked);
    if (left == words.end()) return 0;
    const auto right = std::find_if(words.rbegin(), words.rend(), inked).base();
    return static_cast<int>((kSignColumns - (right - left) + 1) / 2 - (left - words.begin()));
}

ColumnWords Shifted(const ColumnWords& words, int shift) {
    ColumnWords moved{};
    for (int j = std::max(0, -shift); j < kSignColumns && j + shift < kSignColumns; ++j)
        moved[std::size_t(j + shift)] = words[std::size_t(j)];
    return moved;
}

CharacterEnds Shifted(const CharacterEnds& ends, int shift) {
    return shift >= 0 ? ends << std::size_t(shift) : ends >> std::size_t(-shift);
}

// The last column of each of a picture's strips, the narrower last one's too.
CharacterEnds StripEnds(int width) {
    CharacterEnds ends;
    for (int strip = 0; strip < width; strip += kCharacterColumns)
        ends.set(std::size_t(std::min({strip + kCharacterColumns, width, kSignColumns}) - 1));
    return ends;
}

qsizetype PictureWidth(const ProgramItem& item) { return item.picture.HasPicture() ? item.picture.rows.width() : 0; }

// The lines of a text, each of at least one page; a line break the user
// typed starts a new page, and empty lines make none.
QStringList PageLines(QStringView text) {
    return text.toString().replace(u'\r', u'\n').split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

std::uint32_t HoldSweeps(double seconds) {
    const double held = std::clamp(std::isfinite(seconds) ? seconds : kMinHoldSeconds, kMinHoldSeconds,
                                   kMaxHoldSeconds);
    return static_cast<std::uint32_t>(std::lround(held * 1000 / kSweepMilliseconds));
}

std::vector<ColumnWords> ProgramConverter::Pages(QStringView text, ItemAlign align, FirstScanRow firstScanRow,
                                                 std::span<const std::uint16_t> picture,
                                                 std::vector<CharacterEnds>* ends) {
    SetUpForSigns(surface_);
    const auto scan = [&](QStringView page) {
        ColumnWords words = ScanText(surface_, page, firstScanRow);
        NoteMissingGlyphs(currentItem_);
        return words;
    };
    std::vector<ColumnWords> pages;
    // Where the page's characters end so far; the last of them comes with
    // the whole page, so it marks no step of its own.
    CharacterEnds marks;
    const auto place = [&](const ColumnWords& words) {
        const int shift = align == ItemAlign::Centre ? CentringShift(words) : 0;
        pages.push_back(Shifted(words, shift));
        if (ends) {
            marks = Shifted(marks, shift);
            for (std::size_t j = marks.size(); j-- > 0;)
                if (marks[j]) {
                    marks.reset(j);
                    break;
                }
            ends->push_back(marks);
        }
        marks.reset();
    };
    // A character's last column is the rightmost one inked by the page's
    // characters up to it, drawn `leading` columns in.
    const auto markInk = [&](int leading) {
        if (const int right = surface_.LastPrintInkRight(); ends && right > 0)
            marks.set(std::size_t(std::min(leading + right, kSignColumns) - 1));
    };
    // A sign's width is whole strips of a picture, so a picture wider than
    // the sign gives pages of its own until what is left leads a page.
    for (; picture.size() > std::size_t(kSignColumns); picture = picture.subspan(kSignColumns)) {
        if (cancelled_) return pages;
        ColumnWords words{};
        std::copy_n(picture.begin(), kSignColumns, words.begin());
        marks = StripEnds(kSignColumns);
        place(words);
        Advance(kSignColumns / kCharacterColumns);
    }
    ColumnWords lead{};
    std::ranges::copy(picture, lead.begin());
    auto leading = static_cast<int>(picture.size());
    marks = StripEnds(leading);
    if (leading > 0) Advance((leading + kCharacterColumns - 1) / kCharacterColumns);
    for (const QString& line : PageLines(text)) {
        // A character is never cut in two, be it two code units or one with
        // a variation selector or accent after it.
        const std::vector<qsizetype> boundaries = CharacterBoundaries(line);
        std::size_t taken = 0;  // characters of the line on earlier pages
        while (taken < boundaries.size()) {
            if (cancelled_) return pages;
            const qsizetype start = taken == 0 ? 0 : boundaries[taken - 1];
            // As many whole characters as the sign shows right of the
            // picture, if any; a character wider than the sign still makes a
            // page of its own.
            const int room = kSignColumns - leading;
            std::size_t count = leading > 0 ? 0 : 1;
            if (ends && count > 0) {
                surface_.Cls();
                surface_.Print(QStringView(line).mid(start, boundaries[taken] - start));
                markInk(leading);
            }
            while (taken + count < boundaries.size()) {
                surface_.Cls();
                surface_.Print(QStringView(line).mid(start, boundaries[taken + count] - start));
                if (surface_.LastPrintInkRight() > room) break;
                markInk(leading);
                ++count;
            }
            const qsizetype end = count > 0 ? boundaries[taken + count - 1] : start;
            ColumnWords words = lead;
            if (end > start) {
                const ColumnWords drawn = scan(QStringView(line).mid(start, end - start));
                std::copy_n(drawn.begin(), room, words.begin() + leading);
            }
            place(words);
            Advance(end - start);
            taken += count;
            lead = {};
            leading = 0;
        }
    }
    if (leading > 0) place(lead);
    if (pages.empty()) place(scan({}));
    return pages;
}

void ProgramConverter::NoteMissingGlyphs(int item) {
    for (const char32_t c : surface_.LastMissingGlyphs()) {
        const auto noted = [&](const auto& m) { return m.phrase == item && m.character == c; };
        if (std::ranges::none_of(missing_, noted)) missing_.push_back({item, c});
    }
}

bool ProgramConverter::Advance(qsizetype characters) {
    drawn_ += characters;
    if (!cancelled_ && progress_ && !progress_(drawn_, toDraw_)) cancelled_ = true;
    return !cancelled_;
}

ProgramFrames ProgramConverter::Frames(const Program& program, FirstScanRow firstScanRow) {
    ProgramFrames frames;
    missing_.clear();
    currentItem_ = 0;
    drawn_ = 0;
    toDraw_ = 0;
    cancelled_ = false;
    for (const ProgramItem& source : program)
        toDraw_ += (StyleHasPages(source.style) ? PageLines(source.text).join(QString()).size() : source.text.size()) +
                   (PictureWidth(source) + kCharacterColumns - 1) / kCharacterColumns;
    for (const ProgramItem& source : program) {
        if (cancelled_) break;
        ++currentItem_;
        ProgramFrames::Item item{.style = source.style,
                                 .holdSweeps = HoldSweeps(source.holdSeconds),
                                 .stepSweeps = static_cast<std::uint32_t>(MarqueeSweeps(source.speed))};
        const std::vector<std::uint16_t> picture = PictureColumns(source.picture);
        if (!StyleHasPages(source.style)) {
            item.columns = picture;
            const auto text = ScanLine(surface_, MarqueeWriter::OneLine(source.text), firstScanRow);
            item.columns.insert(item.columns.end(), text.begin(), text.end());
            NoteMissingGlyphs(currentItem_);
            Advance(source.text.size() + (PictureWidth(source) + kCharacterColumns - 1) / kCharacterColumns);
        } else {
            item.pages = Pages(source.text, source.align, firstScanRow, picture,
                               StyleMarksCharacters(source.style) ? &item.characterEnds : nullptr);
        }
        frames.items.push_back(std::move(item));
    }
    return frames;
}

const QString& ProgramConverter::ConvertProgram(const Program& program, const ConversionOptions& options) {
    report_ = {};
    sketch_.clear();
    report_.target = options.target;
    report_.items = static_cast<int>(program.size());
    if (program.empty()) return Refuse(QStringLiteral("節目沒有任何項目，請先加入一項。"));
    if (report_.items > kProgramMaxItems)
        return Refuse(QStringLiteral("節目有 %1 項，看板最多 %2 項，多了 %3 項。")
                          .arg(Thousands(report_.items), Thousands(kProgramMaxItems), Thousands(report_.items - kProgramMaxItems)));
    const long long flashLimit = ProgramBytes(options.target.board);
    if (const long long least = LeastFlashBytes(program, options.target); least > flashLimit)
        return RefuseTooLong(least, true);
    surface_.SetStyle(options.style);
    ProgramFrames frames = Frames(program, options.firstScanRow);
    frames.target = options.target;
    if (cancelled_) return Refuse(QStringLiteral("已取消，沒有產生程式。"));
    report_.missingGlyphs = missing_;
    for (const auto& item : frames.items) report_.pages += static_cast<long long>(item.pages.size());
    report_.secondsPerCycle = CycleSeconds(frames);
    const long long flashBytes = ProgramWriter::FlashBytes(ProgramWriter::Words(frames), report_.items, options.target);
    if (flashBytes > flashLimit) return RefuseTooLong(flashBytes, false);
    report_.flashBytes = flashBytes;
    sketch_ = ProgramWriter::Sketch(frames);
    return sketch_;
}

long long ProgramConverter::LeastFlashBytes(const Program& program, const SignTarget& target) {
    long long words = 0;
    for (const ProgramItem& item : program) {
        const long long picture = PictureWidth(item);
        if (!StyleHasPages(item.style)) {
            words += picture;
            continue;
        }
        // The picture's last page may hold the first line too.
        const long long pictureOnlyPages = picture > 0 ? (picture + kSignColumns - 1) / kSignColumns - 1 : 0;
        words += (std::max(1LL, static_cast<long long>(PageLines(item.text).size())) + pictureOnlyPages) *
                 PageWords(item.style);
    }
    return ProgramWriter::FlashBytes(words, static_cast<long long>(program.size()), target);
}

const QString& ProgramConverter::Refuse(const QString& why) {
    report_.refusal = {0, why, Refusal::Kind::DoesNotFit};
    return sketch_;
}

const QString& ProgramConverter::RefuseTooLong(long long flashBytes, bool atLeast) {
    const long long limit = ProgramBytes(report_.target.board);
    const long long over = flashBytes - limit;
    report_.flashBytes = flashBytes;
    return Refuse(QStringLiteral("節目太長：%1需要 %2 位元組的 flash，%3 只有 %4 位元組，多了 %5 位元組（約 %6 頁）。")
                      .arg(atLeast ? QStringLiteral("至少") : QString(), Thousands(flashBytes),
                           BoardName(report_.target.board), Thousands(limit), Thousands(over),
                           Thousands((over + 2 * kSignColumns - 1) / (2 * kSignColumns))));
}

}  // namespace award
