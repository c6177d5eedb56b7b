#include "program/ProgramReader.h"

#include "engine/shows.h"
#include "program/ProgramFormat.h"
#include "program/ProgramWriter.h"
#include "sketch/CppDeclarations.h"
#include "sketch/EngineSketchReading.h"
#include "sign/BoardMemories.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignGeometry.h"
#include "sketch/SketchCode.h"

#include <algorithm>
#include <map>

namespace award {
namespace {

using Kind = CppToken::Kind;

// The most column words a program sketch of one item keeps in the board's
// flash, and the parts they take. Bounds are checked before anything is
// allocated for a table, so a crafted sketch costs no more memory than its
// text.
constexpr long long kMostWords = (kMega2560ProgramBytes - kProgramCodeBytes - kProgramItemBytes) / 2;
const int kMostParts = sketch::WordParts(std::size_t(kMostWords));

// The tables, token ranges taken out of the text.
struct Tables {
    std::map<int, std::vector<std::uint16_t>> parts;
    long long words = 0;
    std::optional<std::vector<std::vector<std::uint32_t>>> items;
    std::optional<int> brightness;
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::size_t itemsAt = 0;  // the token the item table starts at
};

// `const unsigned int wN[] PROGMEM={...};` from `at`, or nothing.
bool ReadPart(TokenCursor& c, Tables& tables) {
    if (!c.TakeAll({u"const", u"unsigned", u"int"})) return false;
    const auto name = c.TakeIdentifier();
    const auto part = name ? sketch::PartNumberOf(*name, kProgramPartName) : std::nullopt;
    if (!part || *part >= kMostParts || tables.parts.contains(*part) || !c.TakeAll({u"[", u"]", u"PROGMEM", u"="}))
        return false;
    auto words = c.Braced(std::size_t(std::min<long long>(kPartWords, kMostWords - tables.words)));
    if (!words || words->empty() || !c.Take(u";")) return false;
    tables.words += static_cast<long long>(words->size());
    return tables.parts.emplace(*part, std::move(*words)).second;
}

// `const unsigned long items[][5] PROGMEM={{...},...};`; rows given fewer
// values end in zeros, as the compiler fills them.
bool ReadItems(TokenCursor& c, Tables& tables, QString& why) {
    if (tables.items || !c.TakeAll({u"const", u"unsigned", u"long", kProgramItemsName, u"[", u"]", u"["}))
        return false;
    if (c.Value<std::uint32_t>() != std::uint32_t{kProgramItemFields} || !c.TakeAll({u"]", u"PROGMEM", u"="}))
        return false;
    bool unbraced = false;
    auto rows = c.BracedRows<std::uint32_t>(kProgramItemFields, kProgramMaxItems, &unbraced);
    if (!rows && unbraced) why = QStringLiteral("「%1」的每一項要用一對「{ }」括起來").arg(kProgramItemsName);
    if (!rows || !c.Take(u";") || rows->empty()) return false;
    tables.items = std::move(*rows);
    return true;
}

// `const unsigned char brightness= N;`, N from 1 to 8: where the statement
// ends, or nothing, with why when the value is the fault.
std::optional<std::size_t> ReadBrightnessConstant(TokenCursor& c, const CppTokens& t, Tables& tables,
                                                  Refusal& refusal) {
    if (tables.brightness || !c.TakeAll({u"const", u"unsigned", u"char"})) return std::nullopt;
    const std::size_t name = c.At();
    if (!c.Take(sketch::kBrightnessName)) return std::nullopt;
    std::size_t end = name;
    while (end < t.tokens.size() && t.Text(end) != u";") ++end;
    if (end == t.tokens.size()) return std::nullopt;
    tables.brightness = ReadBrightness(t, name, end, refusal);
    if (!tables.brightness) return std::nullopt;
    return end + 1;
}

// Finds the tables among the top-level statements; a statement that starts
// like a table of ours must be one.
std::optional<Tables> FindTables(const CppTokens& t, Refusal& refusal) {
    Tables tables;
    int depth = 0;
    bool statementStart = true;
    for (std::size_t i = 0; i < t.tokens.size();) {
        if (depth == 0 && statementStart && t.Text(i) == u"static" && i + 4 < t.tokens.size() &&
            t.Text(i + 1) == u"const" &&
            (t.Text(i + 4) == kProgramItemsName || sketch::PartNumberOf(t.Text(i + 4).toString(), kProgramPartName)))
            return Refuse(refusal,
                          {t.LineOfToken(i), QStringLiteral("「%1」前面不能有「static」").arg(t.Text(i + 4))});
        if (depth == 0 && statementStart && t.Text(i) == u"const" && i + 3 < t.tokens.size() &&
            t.Text(i + 1) == u"unsigned") {
            const QString name = t.Text(i + 3).toString();
            TokenCursor c(t, i, t.tokens.size());
            const bool isPart = sketch::PartNumberOf(name, kProgramPartName).has_value();
            if (name == sketch::kBrightnessName) {
                Refusal why;
                const auto next = ReadBrightnessConstant(c, t, tables, why);
                if (!next)
                    return Refuse(refusal, why.why.isEmpty() ? Refusal{t.LineOfToken(i),
                                                                           QStringLiteral("「%1」的寫法和看板程式的不一樣").arg(name)}
                                                             : why);
                tables.ranges.emplace_back(i, *next);
                i = *next;
                continue;
            }
            if (isPart || name == kProgramItemsName) {
                QString why;
                if (!(isPart ? ReadPart(c, tables) : ReadItems(c, tables, why)))
                    return Refuse(refusal, TableRefusal(t, i, std::min(c.At() + 1, t.tokens.size()),
                                                        why.isEmpty()
                                                            ? QStringLiteral("「%1」的寫法和看板程式的不一樣").arg(name)
                                                            : why));
                if (!isPart) tables.itemsAt = i;
                tables.ranges.emplace_back(i, c.At());
                i = c.At();
                continue;
            }
        }
        const QStringView x = t.Text(i);
        if (t.tokens[i].kind == Kind::Punctuator) {
            if (x == u"{" || x == u"(" || x == u"[") ++depth;
            if (x == u"}" || x == u")" || x == u"]") --depth;
        }
        statementStart = depth == 0 && (x == u";" || x == u"}");
        ++i;
    }
    return tables;
}

// Every token outside the tables must be the driver's of one sign and board, in order.
DriverMatch DriverDifference(const CppTokens& t, const Tables& tables, int parts) {
    std::vector<std::pair<std::size_t, std::size_t>> code;
    std::size_t from = 0;
    for (const auto& [begin, end] : tables.ranges) {
        code.emplace_back(from, begin);
        from = end;
    }
    code.emplace_back(from, t.tokens.size());
    return MatchDriver(t, code, [&](const SignTarget& target) { return ProgramWriter::FixedCode(parts, target); });
}

// The line of the item table's row n, counted from 0, for a refusal about
// that item; the table's own line if the row cannot be found.
int ItemLine(const CppTokens& t, std::size_t itemsAt, std::size_t n) {
    int depth = 0;
    std::size_t row = 0;
    for (std::size_t i = itemsAt; i < t.tokens.size(); ++i) {
        if (t.Text(i) == u"{" && ++depth == 2 && row++ == n) return t.LineOfToken(i);
        if (t.Text(i) == u"}" && --depth == 0) break;
    }
    return t.LineOfToken(itemsAt);
}

// A text is a program sketch, good or bad, once it declares the item table.
bool DeclaresItems(const CppTokens& t) {
    for (std::size_t i = 3; i < t.tokens.size(); ++i)
        if (t.Text(i) == kProgramItemsName && t.Text(i - 3) == u"const" && t.Text(i - 2) == u"unsigned") return true;
    return false;
}

std::optional<ProgramFrames> ReadProgram(const CppTokens& tokens, Refusal& refusal) {
    const auto tables = FindTables(tokens, refusal);
    if (!tables) return std::nullopt;
    if (!tables->items || tables->parts.empty())
        return Refuse(refusal,
                      {0, QStringLiteral("節目程式要有節目表 %1 和字表 %20").arg(kProgramItemsName, kProgramPartName)});
    if (!tables->brightness)
        return Refuse(refusal, {0, QStringLiteral("節目程式要有亮度 %1").arg(sketch::kBrightnessName)});
    const QString tooLong = QStringLiteral("節目太長，看板放不下");
    if (ProgramWriter::FlashBytes(tables->words, static_cast<long long>(tables->items->size())) > kMega2560ProgramBytes)
        return Refuse(refusal, {0, tooLong});
    // The driver finds word n in part n / 16383: parts numbered from 0 without
    // a gap, every one but the last full.
    const int parts = static_cast<int>(tables->parts.size());
    const auto partMissing = [&] {
        return Refuse(refusal, {0, QStringLiteral("字表 %1 要從 %2 起一段接一段，最後一段以外每段 %3 個字")
                                       .arg(kProgramPartName)
                                       .arg(sketch::PartName(kProgramPartName, 0))
                                       .arg(kPartWords)});
    };
    if (tables->parts.rbegin()->first != parts - 1) return partMissing();
    // The driver uses every table, and C++ knows a name only after its
    // declaration: the tables come first, before any of the driver.
    std::size_t codeFrom = 0;
    for (const auto& [begin, end] : tables->ranges) {
        if (begin != codeFrom)
            return Refuse(refusal, {tokens.LineOfToken(begin), QStringLiteral("「%1」要寫在程式的最前面，在用到它的地方之前")
                                                                   .arg(tokens.Text(begin + 3))});
        codeFrom = end;
    }
    const DriverMatch match = DriverDifference(tokens, *tables, parts);
    if (!match.target) return Refuse(refusal, match.refusal);
    SignTarget target = *match.target;
    target.brightness = *tables->brightness;
    if (ProgramWriter::FlashBytes(tables->words, static_cast<long long>(tables->items->size()), target) >
        ProgramBytes(target.board))
        return Refuse(refusal, {0, tooLong});
    std::vector<std::uint16_t> words;
    words.reserve(std::size_t(tables->words));
    for (const auto& [part, values] : tables->parts) {
        if (part + 1 < parts && values.size() != std::size_t(kPartWords)) return partMissing();
        words.insert(words.end(), values.begin(), values.end());
    }

    // Items may share words on the board, but each is laid out whole here: all
    // of them together no larger than the flash could hold written out.
    std::uint64_t laidOut = 0;
    for (std::size_t n = 0; n < tables->items->size(); ++n) {
        const auto& row = (*tables->items)[n];
        const ItemStyle style = StyleOnBoard(row[0]);
        laidOut += std::uint64_t{row[2]} * std::uint64_t(StyleHasPages(style) ? PageWords(style) : 1);
        if (laidOut > std::uint64_t(kMostWords))
            return Refuse(refusal, {tokens.LineOfToken(tables->itemsAt),
                                    QStringLiteral("節目表第 %1 項有 %2 頁或欄，看板放不下").arg(n + 1).arg(row[2])});
    }
    ProgramFrames program;
    program.target = target;
    for (const auto& row : *tables->items) {
        const int line = ItemLine(tokens, tables->itemsAt, program.items.size());
        // The engine plays these as a phrase table's frames, which no item is.
        if (row[0] == SHOW_FRAMES || row[0] == SHOW_FRAMES_16)
            return Refuse(refusal, {line, QStringLiteral("節目表第 %1 項的顯示方式 %2 不是節目用的：要用 %3")
                                              .arg(program.items.size() + 1)
                                              .arg(row[0])
                                              .arg(StyleCodesInWords())});
        ProgramFrames::Item item{.style = StyleOnBoard(row[0]), .holdSweeps = row[3], .stepSweeps = row[4]};
        const std::uint64_t first = row[1];
        const std::uint64_t count = row[2];
        const bool paged = StyleHasPages(item.style);
        const std::uint64_t width = paged ? std::uint64_t(PageWords(item.style)) : 1;
        // Past the end the board would show whatever lies behind the table.
        if (first + count * width > words.size()) {
            const QString marks = StyleMarksCharacters(item.style)
                                      ? QStringLiteral("（%1每頁 %2 欄，加上記下每個字在哪一欄結束的 %3 個數）")
                                            .arg(StyleName(item.style))
                                            .arg(kSignColumns)
                                            .arg(CHARACTER_MARK_WORDS)
                                      : QString();
            return Refuse(refusal, {line, QStringLiteral("節目表第 %1 項從第 %2 個字起用 %3 個字%4，字表只有 %5 個字")
                                              .arg(program.items.size() + 1)
                                              .arg(first)
                                              .arg(count * width)
                                              .arg(marks)
                                              .arg(words.size())});
        }
        const auto at = [&](std::uint64_t n) { return words.begin() + static_cast<std::ptrdiff_t>(first + n); };
        if (!paged) {
            item.columns.assign(at(0), at(count));
        } else {
            item.pages.resize(count);
            for (std::size_t p = 0; p < count; ++p) std::copy_n(at(p * width), kSignColumns, item.pages[p].begin());
            if (StyleMarksCharacters(item.style))
                for (std::size_t p = 0; p < count; ++p)
                    item.characterEnds.push_back(CharacterEndsOf(
                        std::span<const std::uint16_t, CHARACTER_MARK_WORDS>(&*at(p * width + kSignColumns), CHARACTER_MARK_WORDS)));
        }
        program.items.push_back(std::move(item));
    }
    return program;
}

}  // namespace

std::optional<ProgramFrames> ReadProgramSketch(const CppTokens& tokens, Refusal* refusal) {
    Refusal why;
    auto program = ReadProgram(tokens, why);
    if (!program && refusal && DeclaresItems(tokens)) *refusal = why;
    return program;
}

}  // namespace award
