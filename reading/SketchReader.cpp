#include "reading/SketchReader.h"

#include "marquee/MarqueeFormat.h"
#include "marquee/MarqueeWriter.h"
#include "phrases/SketchWriter.h"
#include "program/ProgramReader.h"
#include "sign/MeasuredCapacities.h"
#include "sign/FigureWords.h"
#include "sign/Mega2560.h"
#include "sign/SignGeometry.h"
#include "sketch/CppDeclarations.h"
#include "sketch/EngineSketchReading.h"
#include "sketch/SketchCode.h"

#include <QSet>

#include <algorithm>
#include <map>

namespace award {
namespace {

using Kind = CppToken::Kind;
using Values = std::vector<std::uint16_t>;

// What the board can hold bounds what the reader takes in, so that it never
// allocates for a table or text the board could not show. A table holds at
// most the phrases flash takes, with its opening and closing rows.
constexpr std::size_t kMostTableRows = kMega2560MaxFlashPhrases + 2;
constexpr std::size_t kMostMarqueeColumns = kMarqueeMaxColumns;
// Every value of a table or array the board holds takes at least a byte of
// program space, and at most three tokens as people write them: a sign, the
// number and a comma. The fourth per byte leaves room for the code.
constexpr std::size_t kMostSketchTokens = 4 * std::size_t{kMega2560ProgramBytes};

// One table of our data: a const-or-not 16-bit unsigned array, in flash
// exactly when `inFlash` (PROGMEM before or after its name), declared as
// NAME[] or NAME[size], then the extra dimensions in `inner`, then its
// initialiser. `items` reads at most `most` items of the initialiser, and the
// array is padded with `zero` up to its declared size, as the compiler pads
// it; a declared size past `most` is refused before anything is padded.
template <class Item, class ReadItems>
std::optional<std::vector<Item>> ReadArray(const CppTokens& t, const Declaration& declaration,
                                           const Declaration::Declarator& d, bool inFlash,
                                           std::optional<std::uint16_t> inner, std::size_t most, ReadItems items,
                                           const Item& zero) {
    // A flash table must be const; our SRAM driver reads a table in SRAM.
    if (!IsUnsigned16(declaration.specifiers) || (inFlash && !declaration.Has(kConst))) return std::nullopt;
    TokenCursor c(t, d.begin + 1, d.end);
    if (!c.Take(u"[")) return std::nullopt;
    std::optional<std::uint16_t> declared;
    if (!c.Peek(u"]") && !(declared = c.Value())) return std::nullopt;
    if (!c.Take(u"]") || (declared && *declared > most)) return std::nullopt;
    if (inner && (!c.Take(u"[") || c.Value() != *inner || !c.Take(u"]"))) return std::nullopt;
    const bool progmem = c.Take(u"PROGMEM") || declaration.Has(kProgmem);
    if (progmem != inFlash || !c.Take(u"=")) return std::nullopt;
    auto array = items(c, most);
    if (!array || !c.AtEnd()) return std::nullopt;
    if (declared && array->size() > *declared) return std::nullopt;
    if (declared) array->resize(*declared, zero);
    if (array->empty()) return std::nullopt;
    return array;
}

// Rows of 65: rows given fewer values end in zeros.
std::optional<std::vector<Values>> ReadTable(const CppTokens& t, const Declaration& declaration,
                                             const Declaration::Declarator& d, bool inFlash, std::size_t mostRows) {
    const auto rows = [](TokenCursor& c, std::size_t most) { return c.BracedRows(kRowElements, most); };
    return ReadArray(t, declaration, d, inFlash, std::uint16_t{kRowElements}, mostRows, rows, Values(kRowElements, 0));
}

std::optional<Values> ReadColumns(const CppTokens& t, const Declaration& declaration, const Declaration::Declarator& d,
                                  std::size_t mostColumns) {
    const auto braced = [](TokenCursor& c, std::size_t most) { return c.Braced(most); };
    return ReadArray(t, declaration, d, true, std::nullopt, mostColumns, braced, std::uint16_t{0});
}

std::optional<std::uint16_t> ReadCount(const CppTokens& t, const Declaration::Declarator& d) {
    TokenCursor c(t, d.begin + 1, d.end);
    if (c.AtEnd()) return std::uint16_t{0};  // a global without initialiser starts at zero
    if (!c.Take(u"=")) return std::nullopt;
    const auto value = c.Value();
    if (!value || !c.AtEnd()) return std::nullopt;
    return value;
}

using sketch::PartNumberOf;

bool IsDataName(const QString& name) {
    return name == kTableName || name == kCountName || PartNumberOf(name, kTableName) || name == kMarqueeSweepsName ||
           PartNumberOf(name, kMarqueePartName) || name == sketch::kBrightnessName;
}

// A sketch's top-level statements sorted into our data (the table or its
// parts, the count, the marquee's parts and speed, by name), other variables
// of the user's, and code, which must be our driver.
struct SortedStatements {
    using Data = std::pair<Declaration, Declaration::Declarator>;
    std::vector<Statement> statements;
    std::map<QString, Data> data;
    std::vector<std::size_t> code;
    std::vector<std::pair<std::size_t, Declaration>> extras;

    const Data* Find(const QString& name) const {
        const auto it = data.find(name);
        return it == data.end() ? nullptr : &it->second;
    }
};

std::optional<SortedStatements> SortStatements(const CppTokens& tokens, Refusal& refusal) {
    auto statements = TopLevelStatements(tokens);
    if (!statements) return Refuse(refusal, {0, QStringLiteral("括號 {}、()、[] 沒有成對，或最後一句沒有寫完")});
    SortedStatements sorted;
    sorted.statements = std::move(*statements);
    for (std::size_t index = 0; index < sorted.statements.size(); ++index) {
        const auto declaration = ParseDeclaration(tokens, sorted.statements[index]);
        if (!declaration) {
            sorted.code.push_back(index);
            continue;
        }
        if (std::ranges::none_of(declaration->declarators, [](const auto& d) { return IsDataName(d.name); })) {
            sorted.extras.emplace_back(index, *declaration);
            continue;
        }
        const auto& d = declaration->declarators.front();
        if (declaration->declarators.size() != 1 || !sorted.data.emplace(d.name, std::pair(*declaration, d)).second)
            return Refuse(refusal,
                          {tokens.LineOfToken(d.begin), QStringLiteral("「%1」要自己一句，而且只能宣告一次").arg(d.name)});
    }
    return sorted;
}

// Which of our sketches the data makes: a table in SRAM, one in flash parts,
// or a marquee, with the number of parts; and whether it names a brightness,
// as every sketch the engine plays does.
struct DataForm {
    enum class Kind { SramTable, FlashTable, Marquee };
    Kind kind = Kind::SramTable;
    int parts = 0;
    bool engine = false;

    TableStore Store() const { return kind == Kind::SramTable ? TableStore::Sram : TableStore::Flash; }
    QString FixedCode(const SignTarget& target) const {
        if (kind == Kind::Marquee) return MarqueeWriter::FixedCode(parts, target);
        return engine ? SketchWriter::EngineFixedCode(target, parts) : SketchWriter::FixedCode(Store(), parts);
    }
};

const QString kNoForm = QStringLiteral("看不出是哪一種看板程式：要有一個畫面表、跑馬燈的欄或節目表");

std::optional<DataForm> FormOf(const SortedStatements& sorted) {
    const auto partsOf = [&](QStringView stem, int most) {
        int parts = 0;
        while (parts <= most && sorted.Find(sketch::PartName(stem, parts))) ++parts;
        return parts;
    };
    // One part past what the board holds is enough to refuse the sketch.
    const int mostTableParts = SketchWriter::FlashParts(kMostTableRows);
    const int mostMarqueeParts = sketch::WordParts(kMostMarqueeColumns);
    const int tableParts = partsOf(kTableName, mostTableParts);
    const int marqueeParts = partsOf(kMarqueePartName, mostMarqueeParts);
    if (tableParts > mostTableParts || marqueeParts > mostMarqueeParts) return std::nullopt;
    const bool sram = sorted.Find(kTableName.toString()) != nullptr;
    if (int(sram) + int(tableParts > 0) + int(marqueeParts > 0) != 1) return std::nullopt;

    DataForm form;
    form.kind = sram             ? DataForm::Kind::SramTable
                : tableParts > 0 ? DataForm::Kind::FlashTable
                                 : DataForm::Kind::Marquee;
    form.parts = tableParts + marqueeParts;
    form.engine = sorted.Find(sketch::kBrightnessName.toString()) != nullptr;
    // The school's own driver reads its table in SRAM; the engine's, in flash.
    if (form.engine && sram) return std::nullopt;
    // Nothing stray: a part out of order, a count without a table, or the
    // reverse. Each form has one more name, its count or its speed, and the
    // brightness when the engine plays it.
    const std::size_t names = std::size_t(sram ? 1 : form.parts) + 1 + (form.engine ? 1 : 0);
    if (sorted.data.size() != names) return std::nullopt;
    return form;
}

Refusal DataRefusal(const CppTokens& tokens, const Declaration::Declarator& d) {
    return TableRefusal(tokens, d.begin, d.end, QStringLiteral("「%1」的寫法和看板程式的不一樣").arg(d.name));
}

// Everything but the data and the user's own variables must be our driver
// for one of the signs and boards, token for token: which one it is, else
// where it is not. The school's own phrase driver is for its sign alone.
DriverMatch DriverDifference(const CppTokens& tokens, const SortedStatements& sorted, const DataForm& form) {
    // The names every driver declares, so that none of them passes as the user's.
    QSet<QString> driverNames;
    for (const SignTarget& target : kSignsAndBoards) {
        const auto expected = TokenizeCpp(form.FixedCode(target));
        for (std::size_t i = 0; i < expected->tokens.size(); ++i)
            if (expected->tokens[i].kind == Kind::Identifier) driverNames.insert(expected->Text(i).toString());
    }
    std::vector<std::size_t> code = sorted.code;
    QSet<QString> extraNames;
    for (const auto& [index, declaration] : sorted.extras) {
        const Statement& statement = sorted.statements[index];
        bool own = true;
        for (std::size_t i = statement.begin; i < statement.end; ++i) own = own && tokens.Text(i) != u"(";
        for (const auto& d : declaration.declarators) {
            own = own && !driverNames.contains(d.name);
            if (own && extraNames.contains(d.name))
                return {std::nullopt, {tokens.LineOfToken(d.begin), QStringLiteral("「%1」宣告了兩次").arg(d.name)}};
            if (own) extraNames.insert(d.name);
        }
        if (!own) {
            code.push_back(index);
            continue;
        }
        // A variable of the user's is known to change nothing only when its
        // value is made of numbers: a name in it could be anything, even an
        // assignment to our own data.
        for (std::size_t i = statement.begin; i < statement.end; ++i) {
            const QString word = tokens.Text(i).toString();
            if (tokens.tokens[i].kind == Kind::Identifier && !IsTypeWord(word) &&
                std::ranges::none_of(declaration.declarators, [&](const auto& d) { return d.name == word; }))
                return {std::nullopt, {tokens.LineOfToken(i),
                                       QStringLiteral("自己加的變數只能用數字設定，看板程式不知道「%1」是什麼").arg(word)}};
        }
    }
    std::sort(code.begin(), code.end());
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (const std::size_t index : code) ranges.emplace_back(sorted.statements[index].begin, sorted.statements[index].end);
    if (!form.engine) {
        const auto difference = DifferenceFrom(tokens, ranges, *TokenizeCpp(form.FixedCode({})));
        return difference ? DriverMatch{std::nullopt, *difference} : DriverMatch{SignTarget{}, {}};
    }
    return MatchDriver(tokens, ranges, [&](const SignTarget& target) { return form.FixedCode(target); });
}

// C++ knows a name only after its declaration: our data must come before the
// first line of the driver that uses it.
std::optional<Refusal> DataAfterItsUse(const CppTokens& tokens, const SortedStatements& sorted) {
    for (const std::size_t index : sorted.code) {
        const Statement& statement = sorted.statements[index];
        for (std::size_t i = statement.begin; i < statement.end; ++i) {
            const auto* data = tokens.tokens[i].kind == Kind::Identifier ? sorted.Find(tokens.Text(i).toString()) : nullptr;
            if (data && data->second.begin > i)
                return Refusal{tokens.LineOfToken(data->second.begin),
                                   QStringLiteral("「%1」要寫在用到它的第 %2 行之前").arg(data->second.name).arg(tokens.LineOfToken(i))};
        }
    }
    return std::nullopt;
}

// avr-gcc builds no single object past its limit.
Refusal TooBigForOneObject(const CppTokens& tokens, const Declaration::Declarator& d, int most, const QString& unit) {
    return {tokens.LineOfToken(d.begin),
            QStringLiteral("「%1」最多只能有 %2 %3（編譯器的一個陣列最多 %4 位元組），多的要放到下一段")
                .arg(d.name)
                .arg(most)
                .arg(unit)
                .arg(Thousands(kMaxObjectBytes))};
}

// The brightness an engine's sketch names.
std::optional<int> BrightnessOf(const CppTokens& tokens, const SortedStatements& sorted, Refusal& refusal) {
    const auto& [declaration, declarator] = *sorted.Find(sketch::kBrightnessName.toString());
    if (declaration.Has(kProgmem)) return Refuse(refusal, DataRefusal(tokens, declarator));
    return ReadBrightness(tokens, declarator.begin, declarator.end, refusal);
}

std::optional<SketchForm> ReadFrameTable(const CppTokens& tokens, const SortedStatements& sorted,
                                           const DataForm& form, Refusal& refusal) {
    const auto& [countDeclaration, countDeclarator] = *sorted.Find(kCountName.toString());
    const auto count = ReadCount(tokens, countDeclarator);
    if (!IsInteger16(countDeclaration.specifiers) || !count)
        return Refuse(refusal, DataRefusal(tokens, countDeclarator));

    const bool sram = form.kind == DataForm::Kind::SramTable;
    std::vector<Values> rows;
    for (int part = 0; part < std::max(form.parts, 1); ++part) {
        const auto& [declaration, declarator] =
            *sorted.Find(sram ? kTableName.toString() : sketch::PartName(kTableName, part));
        const auto partRows = ReadTable(tokens, declaration, declarator, !sram, kMostTableRows - rows.size());
        if (!partRows) return Refuse(refusal, DataRefusal(tokens, declarator));
        if (!sram && partRows->size() > std::size_t(kFlashPartRows))
            return Refuse(refusal, TooBigForOneObject(tokens, declarator, kFlashPartRows, QStringLiteral("列")));
        // The driver finds row k in part k / 252: every part but the last must be full.
        if (!sram && part + 1 < form.parts && partRows->size() != std::size_t(kFlashPartRows))
            return Refuse(refusal, {tokens.LineOfToken(declarator.begin),
                                    QStringLiteral("「%1」要有 %2 列，最後一段才可以少").arg(declarator.name)
                                        .arg(kFlashPartRows)});
        rows.insert(rows.end(), partRows->begin(), partRows->end());
    }
    // The board shows rows 1 to num; a count that reaches past the table reads
    // whatever lies behind it.
    if (*count >= rows.size())
        return Refuse(refusal, {tokens.LineOfToken(countDeclarator.begin),
                                QStringLiteral("%1 是 %2，但表裡只有 %3 個畫面").arg(kCountName).arg(*count)
                                    .arg(rows.size() - 1)});

    PhraseFrames result;
    result.store = form.Store();
    result.tableRows = static_cast<int>(rows.size());
    for (std::size_t k = 1; k <= *count; ++k) {
        PhraseFrames::Frame frame{.delayFactor = rows[k][0]};
        std::copy_n(rows[k].begin() + 1, kSignColumns, frame.words.begin());
        result.frames.push_back(frame);
    }
    return result;
}

std::optional<SketchForm> ReadMarquee(const CppTokens& tokens, const SortedStatements& sorted,
                                        const DataForm& form, Refusal& refusal) {
    const auto& [speedDeclaration, speedDeclarator] = *sorted.Find(kMarqueeSweepsName.toString());
    const auto sweeps = ReadCount(tokens, speedDeclarator);
    if (!IsUnsigned16(speedDeclaration.specifiers) || speedDeclaration.Has(kProgmem) || !sweeps)
        return Refuse(refusal, DataRefusal(tokens, speedDeclarator));
    MarqueeFrames shown;
    shown.sweepsPerStep = *sweeps;
    for (int part = 0; part < form.parts; ++part) {
        const auto& [declaration, declarator] = *sorted.Find(sketch::PartName(kMarqueePartName, part));
        const auto columns = ReadColumns(tokens, declaration, declarator, kMostMarqueeColumns - shown.columns.size());
        if (columns && columns->size() > std::size_t(kPartWords))
            return Refuse(refusal, TooBigForOneObject(tokens, declarator, kPartWords, QStringLiteral("個數")));
        // The driver finds column n in part n / kPartWords: every part but the last must be full.
        if (!columns || (part + 1 < form.parts && columns->size() != std::size_t(kPartWords)))
            return Refuse(refusal, DataRefusal(tokens, declarator));
        shown.columns.insert(shown.columns.end(), columns->begin(), columns->end());
    }
    return shown;
}

}  // namespace

SketchReading ReadSketchOrWhy(const QString& sketchText) {
    SketchReading reading;
    const auto tokens = TokenizeCpp(sketchText, kMostSketchTokens, &reading.refusal);
    if (!tokens) return reading;
    if (auto program = ReadProgramSketch(*tokens, &reading.refusal)) return {std::move(*program), {}};
    if (!reading.refusal.why.isEmpty()) return reading;  // a program, but not one the board runs
    const auto sorted = SortStatements(*tokens, reading.refusal);
    if (!sorted) return reading;
    const auto form = FormOf(*sorted);
    const DriverMatch match = form ? DriverDifference(*tokens, *sorted, *form) : DriverMatch{std::nullopt, {0, kNoForm}};
    std::optional<Refusal> difference = match.target ? std::nullopt : std::optional(match.refusal);
    if (!difference) difference = DataAfterItsUse(*tokens, *sorted);
    if (difference) return Refuse<SketchReading>(*difference);
    SignTarget target = *match.target;
    if (form->engine) {
        const auto brightness = BrightnessOf(*tokens, *sorted, reading.refusal);
        if (!brightness) return reading;
        target.brightness = *brightness;
    }
    reading.sketch = form->kind == DataForm::Kind::Marquee ? ReadMarquee(*tokens, *sorted, *form, reading.refusal)
                                                             : ReadFrameTable(*tokens, *sorted, *form, reading.refusal);
    if (!reading.sketch) return reading;
    if (auto* marquee = std::get_if<MarqueeFrames>(&*reading.sketch)) marquee->target = target;
    if (auto* phrases = std::get_if<PhraseFrames>(&*reading.sketch)) {
        phrases->target = target;
        phrases->driver = form->engine ? PhraseDriver::Engine : PhraseDriver::Own;
    }
    return reading;
}

std::optional<SketchForm> ReadSketch(const QString& sketchText) { return ReadSketchOrWhy(sketchText).sketch; }

Shows ShowsOf(const SketchForm& form) {
    return std::visit([](const auto& shown) { return award::ShowsOf(shown); }, form);
}

}  // namespace award
