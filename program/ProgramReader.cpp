#include "program/ProgramReader.h"

#include "program/ProgramFormat.h"
#include "program/ProgramWriter.h"
#include "sign/MeasuredCapacities.h"
#include "sign/Mega2560.h"
#include "sign/SignGeometry.h"
#include "sketch/SketchCode.h"

#include <QStringList>

#include <algorithm>
#include <map>

namespace award {
namespace {

using Kind = CppToken::Kind;

class Cursor {
public:
    Cursor(const CppTokens& t, std::size_t at) : t_(t), at_(at) {}

    std::size_t At() const { return at_; }
    bool Peek(QStringView text) const { return at_ < t_.tokens.size() && t_.Text(at_) == text; }
    bool Take(QStringView text) {
        if (!Peek(text)) return false;
        ++at_;
        return true;
    }
    bool TakeAll(const QStringList& texts) {
        for (const QString& text : texts)
            if (!Take(text)) return false;
        return true;
    }
    std::optional<QString> TakeIdentifier() {
        if (at_ >= t_.tokens.size() || t_.tokens[at_].kind != Kind::Identifier) return std::nullopt;
        return t_.Text(at_++).toString();
    }
    // An integer literal with any unary signs before it, as an unsigned type
    // of 32 bits holds it once converted; narrower types keep its low bits.
    std::optional<std::uint32_t> Value() {
        bool negative = false;
        while (Peek(u"+") || Peek(u"-")) negative ^= t_.Text(at_++) == u"-";
        if (at_ >= t_.tokens.size() || t_.tokens[at_].kind != Kind::Number) return std::nullopt;
        const auto value = IntegerLiteralValue(t_.Text(at_++));
        if (!value) return std::nullopt;
        const auto low = static_cast<std::uint32_t>(*value);
        return negative ? static_cast<std::uint32_t>(0u - low) : low;
    }
    // `{ v, v, ... }`, a trailing comma allowed, at most `most` values.
    std::optional<std::vector<std::uint32_t>> Braced(std::size_t most) {
        if (!Take(u"{")) return std::nullopt;
        std::vector<std::uint32_t> values;
        while (!Peek(u"}")) {
            const auto value = Value();
            if (!value || values.size() == most) return std::nullopt;
            values.push_back(*value);
            if (!Take(u",")) break;
        }
        if (!Take(u"}")) return std::nullopt;
        return values;
    }

private:
    const CppTokens& t_;
    std::size_t at_;
};

// w0, w1, ...: the part number, or nothing for any other name.
std::optional<int> PartNumber(const QString& name) {
    const QStringView digits = QStringView(name).mid(kProgramPartName.size());
    if (!name.startsWith(kProgramPartName) || digits.isEmpty() || (digits.size() > 1 && digits[0] == u'0'))
        return std::nullopt;
    for (const QChar c : digits)
        if (!c.isDigit() || c.unicode() > u'9') return std::nullopt;
    bool ok = false;
    const int part = digits.toInt(&ok);
    return ok ? std::optional(part) : std::nullopt;
}

// The most column words a program sketch of one item keeps in the board's
// flash, and the parts they take. Bounds are checked before anything is
// allocated for a table, so a crafted sketch costs no more memory than its
// text.
constexpr long long kMostWords = (kMega2560ProgramBytes - kProgramCodeBytes - kProgramItemBytes) / 2;
const int kMostParts = ProgramWriter::WordParts(kMostWords);

// The tables, token ranges taken out of the text.
struct Tables {
    std::map<int, std::vector<std::uint16_t>> parts;
    long long words = 0;
    std::optional<std::vector<std::vector<std::uint32_t>>> items;
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
};

// `const unsigned int wN[] PROGMEM={...};` from `at`, or nothing.
bool ReadPart(Cursor& c, Tables& tables) {
    if (!c.TakeAll({"const", "unsigned", "int"})) return false;
    const auto name = c.TakeIdentifier();
    const auto part = name ? PartNumber(*name) : std::nullopt;
    if (!part || *part >= kMostParts || tables.parts.contains(*part) || !c.TakeAll({"[", "]", "PROGMEM", "="}))
        return false;
    const auto values = c.Braced(std::size_t(std::min<long long>(kMarqueePartColumns, kMostWords - tables.words)));
    if (!values || values->empty() || !c.Take(u";")) return false;
    tables.words += static_cast<long long>(values->size());
    std::vector<std::uint16_t> words;
    words.reserve(values->size());
    for (const std::uint32_t value : *values) words.push_back(static_cast<std::uint16_t>(value));
    return tables.parts.emplace(*part, std::move(words)).second;
}

// `const unsigned long items[][5] PROGMEM={{...},...};`; rows given fewer
// values end in zeros, as the compiler fills them.
bool ReadItems(Cursor& c, Tables& tables) {
    if (tables.items || !c.TakeAll({"const", "unsigned", "long", kProgramItemsName.toString(), "[", "]", "["}))
        return false;
    if (c.Value() != std::uint32_t{kProgramItemFields} || !c.TakeAll({"]", "PROGMEM", "=", "{"})) return false;
    std::vector<std::vector<std::uint32_t>> rows;
    while (!c.Peek(u"}")) {
        auto row = c.Braced(kProgramItemFields);
        if (!row || rows.size() == std::size_t(kProgramMaxItems)) return false;
        row->resize(kProgramItemFields, 0);
        rows.push_back(std::move(*row));
        if (!c.Take(u",")) break;
    }
    if (!c.TakeAll({"}", ";"}) || rows.empty()) return false;
    tables.items = std::move(rows);
    return true;
}

// Finds the tables among the top-level statements; a statement that starts
// like a table of ours must be one.
std::optional<Tables> FindTables(const CppTokens& t) {
    Tables tables;
    int depth = 0;
    bool statementStart = true;
    for (std::size_t i = 0; i < t.tokens.size();) {
        if (depth == 0 && statementStart && t.Text(i) == u"const" && i + 3 < t.tokens.size() &&
            t.Text(i + 1) == u"unsigned") {
            const QString name = t.Text(i + 3).toString();
            Cursor c(t, i);
            const bool isPart = PartNumber(name).has_value();
            if (isPart || name == kProgramItemsName) {
                if (!(isPart ? ReadPart(c, tables) : ReadItems(c, tables))) return std::nullopt;
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

// Every token outside the tables must be the driver's, in order.
bool DriverMatches(const CppTokens& t, const Tables& tables, int parts) {
    const auto expected = TokenizeCpp(ProgramWriter::FixedCode(parts));
    std::size_t at = 0;
    std::size_t range = 0;
    for (std::size_t i = 0; i < t.tokens.size(); ++i) {
        if (range < tables.ranges.size() && i == tables.ranges[range].first) {
            i = tables.ranges[range++].second - 1;
            continue;
        }
        if (at >= expected->tokens.size() || t.tokens[i].kind != expected->tokens[at].kind ||
            t.Text(i) != expected->Text(at))
            return false;
        ++at;
    }
    return at == expected->tokens.size();
}

}  // namespace

std::optional<ProgramFrames> ReadProgramSketch(const CppTokens& tokens) {
    const auto tables = FindTables(tokens);
    if (!tables || !tables->items || tables->parts.empty() ||
        ProgramWriter::FlashBytes(tables->words, static_cast<long long>(tables->items->size())) > kMega2560ProgramBytes)
        return std::nullopt;
    // The driver finds word n in part n / 16383: parts numbered from 0 without
    // a gap, every one but the last full.
    const int parts = static_cast<int>(tables->parts.size());
    if (tables->parts.rbegin()->first != parts - 1) return std::nullopt;
    std::vector<std::uint16_t> words;
    words.reserve(std::size_t(tables->words));
    for (const auto& [part, values] : tables->parts) {
        if (part + 1 < parts && values.size() != std::size_t(kMarqueePartColumns)) return std::nullopt;
        words.insert(words.end(), values.begin(), values.end());
    }
    if (!DriverMatches(tokens, *tables, parts)) return std::nullopt;

    // Items may share words on the board, but each is laid out whole here: all
    // of them together no larger than the flash could hold written out.
    std::uint64_t laidOut = 0;
    for (const auto& row : *tables->items) {
        laidOut +=
            std::uint64_t{row[2]} * std::uint64_t(!StyleHasPages(StyleOnBoard(row[0])) ? 1 : kSignColumns);
        if (laidOut > std::uint64_t(kMostWords)) return std::nullopt;
    }
    ProgramFrames program;
    for (const auto& row : *tables->items) {
        ProgramFrames::Item item;
        item.style = StyleOnBoard(row[0]);
        const std::uint64_t first = row[1];
        const std::uint64_t count = row[2];
        item.holdSweeps = row[3];
        item.stepSweeps = row[4];
        const std::uint64_t width = item.style == ItemStyle::ScrollLeft ? 1 : kSignColumns;
        // Past the end the board would show whatever lies behind the table.
        if (first + count * width > words.size()) return std::nullopt;
        const auto begin = words.begin() + static_cast<std::ptrdiff_t>(first);
        if (item.style == ItemStyle::ScrollLeft) {
            item.columns.assign(begin, begin + static_cast<std::ptrdiff_t>(count));
        } else {
            item.pages.resize(count);
            for (std::size_t p = 0; p < count; ++p)
                std::copy_n(begin + static_cast<std::ptrdiff_t>(p * kSignColumns), kSignColumns, item.pages[p].begin());
        }
        program.items.push_back(std::move(item));
    }
    return program;
}

}  // namespace award
