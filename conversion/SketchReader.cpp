#include "conversion/SketchReader.h"

#include "conversion/CppTokens.h"
#include "conversion/MarqueeWriter.h"
#include "conversion/ProgramReader.h"
#include "conversion/SketchWriter.h"

#include <QSet>

#include <algorithm>
#include <limits>
#include <map>

namespace award {
namespace {

using Kind = CppToken::Kind;

// A top-level declaration or function definition: tokens [begin, end).
struct Statement {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool function = false;
};

QStringView Closer(QStringView open) {
    return open == u"(" ? QStringView(u")") : open == u"[" ? QStringView(u"]") : QStringView(u"}");
}

// Cuts the token stream into top-level statements, as the compiler would
// parse them: a declaration ends at a semicolon outside any brackets, a
// function definition at the brace that closes its body.
std::optional<std::vector<Statement>> TopLevelStatements(const CppTokens& t) {
    std::vector<Statement> statements;
    std::vector<QStringView> open;
    std::size_t begin = 0;
    bool inBody = false;
    for (std::size_t i = 0; i < t.tokens.size(); ++i) {
        if (t.tokens[i].kind != Kind::Punctuator) continue;
        const QStringView x = t.Text(i);
        if (x == u"(" || x == u"[" || x == u"{") {
            inBody = inBody || (x == u"{" && open.empty() && i > begin && t.Text(i - 1) == u")");
            open.push_back(x);
        } else if (x == u")" || x == u"]" || x == u"}") {
            if (open.empty() || Closer(open.back()) != x) return std::nullopt;
            open.pop_back();
            if (inBody && open.empty()) {
                statements.push_back({begin, i + 1, true});
                begin = i + 1;
                inBody = false;
            }
        } else if (x == u";" && open.empty()) {
            if (i > begin) statements.push_back({begin, i + 1, false});
            begin = i + 1;
        }
    }
    if (!open.empty() || begin != t.tokens.size()) return std::nullopt;
    return statements;
}

// A declaration of one or more variables: its type words, then each
// declarator from its name up to the comma or semicolon after it.
struct Declaration {
    QSet<QString> specifiers;
    struct Declarator {
        QString name;
        std::size_t begin = 0;  // the name
        std::size_t end = 0;    // one past the declarator
    };
    std::vector<Declarator> declarators;
};

const QSet<QString>& SpecifierWords() {
    static const QSet<QString> words{"const", "volatile", "static", "unsigned", "signed", "int", "short",
                                     "long",  "char",     "PROGMEM"};
    return words;
}

std::optional<Declaration> ParseDeclaration(const CppTokens& t, const Statement& s) {
    if (s.function) return std::nullopt;
    Declaration declaration;
    std::size_t i = s.begin;
    for (; i < s.end && t.tokens[i].kind == Kind::Identifier && SpecifierWords().contains(t.Text(i).toString()); ++i)
        declaration.specifiers.insert(t.Text(i).toString());
    if (declaration.specifiers.isEmpty()) return std::nullopt;
    const std::size_t last = s.end - 1;  // the semicolon
    while (i < last) {
        if (t.tokens[i].kind != Kind::Identifier || SpecifierWords().contains(t.Text(i).toString()))
            return std::nullopt;
        Declaration::Declarator d{t.Text(i).toString(), i, i};
        int depth = 0;
        for (++i; i < last; ++i) {
            const QStringView x = t.Text(i);
            if (t.tokens[i].kind == Kind::Punctuator) {
                if (x == u"(" || x == u"[" || x == u"{") ++depth;
                if (x == u")" || x == u"]" || x == u"}") --depth;
                if (x == u"," && depth == 0) break;
            }
        }
        d.end = i;
        declaration.declarators.push_back(d);
        if (i < last) ++i;  // the comma
    }
    if (declaration.declarators.empty()) return std::nullopt;
    return declaration;
}

// 16-bit unsigned, as unsigned int is on the board.
bool IsUnsigned16(const QSet<QString>& words) {
    QSet<QString> type = words;
    for (const char* qualifier : {"const", "volatile", "static", "PROGMEM"}) type.remove(qualifier);
    return type == QSet<QString>{"unsigned"} || type == QSet<QString>{"unsigned", "int"} ||
           type == QSet<QString>{"unsigned", "short"} || type == QSet<QString>{"unsigned", "short", "int"};
}

bool IsInteger16(const QSet<QString>& words) {
    QSet<QString> type = words;
    for (const char* qualifier : {"const", "volatile", "static", "signed", "unsigned"}) type.remove(qualifier);
    const bool signedAndUnsigned = words.contains("signed") && words.contains("unsigned");
    return !signedAndUnsigned && !words.contains("PROGMEM") &&
           (type.isEmpty() ? words.contains("signed") || words.contains("unsigned")
                           : type == QSet<QString>{"int"} || type == QSet<QString>{"short"} ||
                                 type == QSet<QString>{"short", "int"});
}

// Reads tokens of one declarator in order.
class TokenCursor {
public:
    TokenCursor(const CppTokens& t, std::size_t begin, std::size_t end) : t_(t), i_(begin), end_(end) {}

    bool AtEnd() const { return i_ >= end_; }
    bool Take(QStringView text) {
        if (AtEnd() || t_.Text(i_) != text) return false;
        ++i_;
        return true;
    }
    bool Peek(QStringView text) const { return !AtEnd() && t_.Text(i_) == text; }
    // An integer literal with any unary signs before it, as a 16-bit unsigned
    // int holds it once converted.
    std::optional<std::uint16_t> Value() {
        bool negative = false;
        while (Peek(u"+") || Peek(u"-")) negative ^= t_.Text(i_++) == u"-";
        if (AtEnd() || t_.tokens[i_].kind != Kind::Number) return std::nullopt;
        const auto value = IntegerLiteralValue(t_.Text(i_++));
        if (!value) return std::nullopt;
        const auto low = static_cast<std::uint16_t>(*value);
        return negative ? static_cast<std::uint16_t>(0x10000 - low) : low;
    }

private:
    const CppTokens& t_;
    std::size_t i_;
    std::size_t end_;
};

using Values = std::vector<std::uint16_t>;

// `{ v, v, ... }`, a trailing comma allowed, at most `most` values.
std::optional<Values> ReadBraced(TokenCursor& c, std::size_t most) {
    if (!c.Take(u"{")) return std::nullopt;
    Values values;
    while (!c.Peek(u"}")) {
        const auto value = c.Value();
        if (!value || values.size() == most) return std::nullopt;
        values.push_back(*value);
        if (!c.Take(u",")) break;
    }
    if (!c.Take(u"}")) return std::nullopt;
    return values;
}

// One table of our data: a const-or-not 16-bit unsigned array, in flash
// exactly when `inFlash` (PROGMEM before or after its name), declared as
// NAME[] or NAME[size], then the extra dimensions in `inner`, then its
// initialiser. `items` reads the initialiser's items, and the array is
// padded with `zero` up to its declared size, as the compiler pads it.
template <class Item, class ReadItems>
std::optional<std::vector<Item>> ReadArray(const CppTokens& t, const Declaration& declaration,
                                           const Declaration::Declarator& d, bool inFlash,
                                           std::optional<std::uint16_t> inner, ReadItems items, const Item& zero) {
    // A flash table must be const; our SRAM driver reads a table in SRAM.
    const QSet<QString>& words = declaration.specifiers;
    if (!IsUnsigned16(words) || (inFlash && !words.contains("const"))) return std::nullopt;
    TokenCursor c(t, d.begin + 1, d.end);
    if (!c.Take(u"[")) return std::nullopt;
    std::optional<std::uint16_t> declared;
    if (!c.Peek(u"]") && !(declared = c.Value())) return std::nullopt;
    if (!c.Take(u"]")) return std::nullopt;
    if (inner && (!c.Take(u"[") || c.Value() != *inner || !c.Take(u"]"))) return std::nullopt;
    const bool progmem = c.Take(u"PROGMEM") || words.contains("PROGMEM");
    if (progmem != inFlash || !c.Take(u"=")) return std::nullopt;
    auto array = items(c);
    if (!array || !c.AtEnd()) return std::nullopt;
    if (declared) {
        if (array->size() > *declared) return std::nullopt;
        array->resize(*declared, zero);
    }
    if (array->empty()) return std::nullopt;
    return array;
}

// Rows of 65: rows given fewer values end in zeros.
std::optional<std::vector<Values>> ReadTable(const CppTokens& t, const Declaration& declaration,
                                             const Declaration::Declarator& d, bool inFlash) {
    const auto rows = [](TokenCursor& c) -> std::optional<std::vector<Values>> {
        if (!c.Take(u"{")) return std::nullopt;
        std::vector<Values> table;
        while (!c.Peek(u"}")) {
            auto row = ReadBraced(c, kRowElements);
            if (!row) return std::nullopt;
            row->resize(kRowElements, 0);
            table.push_back(std::move(*row));
            if (!c.Take(u",")) break;
        }
        if (!c.Take(u"}")) return std::nullopt;
        return table;
    };
    return ReadArray(t, declaration, d, inFlash, std::uint16_t{kRowElements}, rows, Values(kRowElements, 0));
}

std::optional<Values> ReadColumns(const CppTokens& t, const Declaration& declaration,
                                  const Declaration::Declarator& d) {
    const auto values = [](TokenCursor& c) { return ReadBraced(c, std::numeric_limits<std::size_t>::max()); };
    return ReadArray(t, declaration, d, true, std::nullopt, values, std::uint16_t{0});
}

std::optional<std::uint16_t> ReadCount(const CppTokens& t, const Declaration::Declarator& d) {
    TokenCursor c(t, d.begin + 1, d.end);
    if (c.AtEnd()) return std::uint16_t{0};  // a global without initialiser starts at zero
    if (!c.Take(u"=")) return std::nullopt;
    const auto value = c.Value();
    if (!value || !c.AtEnd()) return std::nullopt;
    return value;
}

// b0, b1, ... or m0, m1, ...: the part number, or nothing for any other name.
std::optional<int> PartNumber(const QString& name, QStringView stem) {
    if (!name.startsWith(stem) || name.size() == stem.size()) return std::nullopt;
    const QStringView digits = QStringView(name).mid(stem.size());
    if (digits.size() > 1 && digits[0] == u'0') return std::nullopt;
    bool ok = false;
    const int part = digits.toInt(&ok);
    if (!ok || part < 0 || digits.front() == u'+' || digits.front() == u'-') return std::nullopt;
    return part;
}

bool IsDataName(const QString& name) {
    return name == kTableName || name == kCountName || PartNumber(name, kTableName) || name == kMarqueeSweepsName ||
           PartNumber(name, kMarqueePartName);
}

// How many sweeps the driver makes of a frame with this delay factor. In
// SRAM the loop counts in 16 bits, `j<=100*b[k][0]`, so the product wraps (a
// multiple of 4, it never reaches 65535, where the loop would not end); in
// flash it counts in 32 bits.
std::uint32_t Sweeps(std::uint16_t delayFactor, TableStore store) {
    if (store == TableStore::Flash) return std::uint32_t{kSweepsPerDelayUnit} * delayFactor + 1;
    return std::uint32_t{static_cast<std::uint16_t>(kSweepsPerDelayUnit * delayFactor)} + 1;
}

}  // namespace

std::optional<SketchFrames> ReadSketch(const QString& sketchText) {
    const auto tokens = TokenizeCpp(sketchText);
    if (!tokens) return std::nullopt;
    if (auto program = ReadProgramSketch(*tokens)) {
        SketchFrames result;
        result.program = std::move(program);
        return result;
    }
    const auto statements = TopLevelStatements(*tokens);
    if (!statements) return std::nullopt;

    // Sort the statements into the data (table parts and count), other
    // variables of the user's, and code, which must be our driver.
    std::map<QString, std::pair<Declaration, Declaration::Declarator>> data;
    std::vector<const Statement*> code;
    std::vector<std::pair<const Statement*, Declaration>> extras;
    for (const Statement& s : *statements) {
        const auto declaration = ParseDeclaration(*tokens, s);
        if (!declaration) {
            code.push_back(&s);
            continue;
        }
        bool anyData = false;
        for (const auto& d : declaration->declarators) anyData = anyData || IsDataName(d.name);
        if (!anyData) {
            extras.emplace_back(&s, *declaration);
            continue;
        }
        if (declaration->declarators.size() != 1) return std::nullopt;
        const auto& d = declaration->declarators.front();
        if (!data.emplace(d.name, std::pair(*declaration, d)).second) return std::nullopt;  // defined twice
    }

    SketchFrames result;
    int parts = 0;
    while (data.count(SketchWriter::PartName(kTableName, parts))) ++parts;
    int marqueeParts = 0;
    while (data.count(SketchWriter::PartName(kMarqueePartName, marqueeParts))) ++marqueeParts;
    const bool sram = data.count(kTableName.toString()) > 0;
    const bool marquee = marqueeParts > 0;
    if (int(sram) + int(parts > 0) + int(marquee) != 1) return std::nullopt;
    // Nothing stray: a part out of order, a count without a table, or the reverse.
    if (data.size() != std::size_t(marquee ? marqueeParts + 1 : parts + (sram ? 1 : 0) + 1)) return std::nullopt;
    result.store = sram ? TableStore::Sram : TableStore::Flash;

    // Everything but the data and the user's own variables must be our driver, token for token.
    const auto expected = TokenizeCpp(marquee ? MarqueeWriter::FixedCode(marqueeParts)
                                              : SketchWriter::FixedCode(result.store, parts));
    QSet<QString> driverNames;
    for (std::size_t i = 0; i < expected->tokens.size(); ++i)
        if (expected->tokens[i].kind == Kind::Identifier) driverNames.insert(expected->Text(i).toString());
    QSet<QString> extraNames;
    for (const auto& [statement, declaration] : extras) {
        bool own = true;
        for (std::size_t i = statement->begin; i < statement->end; ++i)
            own = own && tokens->Text(i) != u"(";
        for (const auto& d : declaration.declarators) {
            own = own && !driverNames.contains(d.name);
            if (own && extraNames.contains(d.name)) return std::nullopt;  // defined twice
            if (own) extraNames.insert(d.name);
        }
        if (!own) code.push_back(statement);
    }
    std::sort(code.begin(), code.end(), [](auto* a, auto* b) { return a->begin < b->begin; });
    std::size_t at = 0;
    for (const Statement* s : code) {
        for (std::size_t i = s->begin; i < s->end; ++i, ++at) {
            if (at >= expected->tokens.size() || tokens->tokens[i].kind != expected->tokens[at].kind ||
                tokens->Text(i) != expected->Text(at))
                return std::nullopt;
        }
    }
    if (at != expected->tokens.size()) return std::nullopt;

    if (marquee) {
        const auto& [speedDeclaration, speedDeclarator] = data.at(kMarqueeSweepsName.toString());
        const auto sweeps = ReadCount(*tokens, speedDeclarator);
        if (!IsUnsigned16(speedDeclaration.specifiers) || speedDeclaration.specifiers.contains("PROGMEM") || !sweeps)
            return std::nullopt;
        SketchFrames::Marquee shown;
        // `j<=sweeps` in 16 bits never ends at 65535, on the first, dark step.
        shown.sweepsPerStep = *sweeps == 0xFFFF ? 0 : *sweeps;
        for (int part = 0; part < marqueeParts; ++part) {
            const auto& [declaration, declarator] = data.at(SketchWriter::PartName(kMarqueePartName, part));
            const auto columns = ReadColumns(*tokens, declaration, declarator);
            // The driver finds column n in part n / 16383: every part but the last must be full.
            if (!columns || (part + 1 < marqueeParts && columns->size() != std::size_t(kMarqueePartColumns)))
                return std::nullopt;
            shown.columns.insert(shown.columns.end(), columns->begin(), columns->end());
        }
        result.marquee = std::move(shown);
        return result;
    }

    const auto& [countDeclaration, countDeclarator] = data.at(kCountName.toString());
    if (!IsInteger16(countDeclaration.specifiers)) return std::nullopt;
    const auto count = ReadCount(*tokens, countDeclarator);
    if (!count) return std::nullopt;

    std::vector<Values> rows;
    for (int part = 0; part < std::max(parts, 1); ++part) {
        const auto& [declaration, declarator] =
            data.at(sram ? kTableName.toString() : SketchWriter::PartName(kTableName, part));
        const auto partRows = ReadTable(*tokens, declaration, declarator, !sram);
        if (!partRows) return std::nullopt;
        // The driver finds row k in part k / 252: every part but the last must be full.
        if (!sram && part + 1 < parts && partRows->size() != std::size_t(kFlashPartRows)) return std::nullopt;
        rows.insert(rows.end(), partRows->begin(), partRows->end());
    }
    // The board shows rows 1 to num; a count that reaches past the table reads
    // whatever lies behind it.
    if (*count >= rows.size()) return std::nullopt;

    result.tableRows = static_cast<int>(rows.size());
    for (std::size_t k = 1; k <= *count; ++k) {
        SketchFrames::Frame frame;
        frame.delayFactor = rows[k][0];
        frame.sweeps = Sweeps(rows[k][0], result.store);
        for (int x = 0; x < kSignColumns; ++x) frame.words[x] = rows[k][x + 1];
        result.frames.push_back(frame);
    }
    return result;
}

}  // namespace award
