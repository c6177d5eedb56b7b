#pragma once

#include "sketch/CppTokens.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace award {

// A top-level declaration or function definition: tokens [begin, end).
struct Statement {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool function = false;
};

// Cuts the token stream into top-level statements, as the compiler would
// parse them: a declaration ends at a semicolon outside any brackets, a
// function definition at the brace that closes its body. Nothing when the
// brackets do not pair up or the text stops inside a statement.
std::optional<std::vector<Statement>> TopLevelStatements(const CppTokens& t);

// The words that spell an integer variable's type and where it lives, one bit
// each; a word written twice counts once.
enum Specifier : std::uint16_t {
    kConst = 1 << 0,
    kVolatile = 1 << 1,
    kStatic = 1 << 2,
    kUnsigned = 1 << 3,
    kSigned = 1 << 4,
    kInt = 1 << 5,
    kShort = 1 << 6,
    kLong = 1 << 7,
    kChar = 1 << 8,
    kProgmem = 1 << 9,
};
using Specifiers = std::uint16_t;
// Whether a word is one of these.
bool IsTypeWord(QStringView word);

// A declaration of one or more variables: its type words, then each
// declarator from its name up to the comma or semicolon after it.
struct Declaration {
    Specifiers specifiers = 0;
    bool Has(Specifier word) const { return (specifiers & word) != 0; }
    struct Declarator {
        QString name;
        std::size_t begin = 0;  // the name
        std::size_t end = 0;    // one past the declarator
    };
    std::vector<Declarator> declarators;
};

// The declaration a statement makes, when it is one of integer variables
// whose type is spelt in the words avr-g++ accepts for them (PROGMEM
// included); nothing for a function or anything else.
std::optional<Declaration> ParseDeclaration(const CppTokens& t, const Statement& s);

// 16-bit unsigned, as unsigned int is on the board.
bool IsUnsigned16(Specifiers words);
// A 16-bit integer of either sign, in SRAM.
bool IsInteger16(Specifiers words);

// Compares the tokens in `ranges` ([begin, end) each, in order) with all of
// `expected`, token for token: nothing when they are the same, else where
// they part and what was expected there.
std::optional<Refusal> DifferenceFrom(const CppTokens& t, const std::vector<std::pair<std::size_t, std::size_t>>& ranges,
                                          const CppTokens& expected);

// Why a table of numbers starting at token `begin` could not be read: the
// first token in [begin, end) that is no whole number where one belongs, or
// else `otherwise` at the table's first line.
Refusal TableRefusal(const CppTokens& t, std::size_t begin, std::size_t end, const QString& otherwise);

// Reads tokens in order, up to `end`.
class TokenCursor {
public:
    TokenCursor(const CppTokens& t, std::size_t begin, std::size_t end) : t_(t), i_(begin), end_(end) {}

    std::size_t At() const { return i_; }
    bool AtEnd() const { return i_ >= end_; }
    bool Take(QStringView text);
    bool TakeAll(std::initializer_list<QStringView> texts);
    bool Peek(QStringView text) const { return !AtEnd() && t_.Text(i_) == text; }
    std::optional<QString> TakeIdentifier();
    // An integer literal with any unary signs before it, as an unsigned Word
    // holds it once converted, each minus taken in the literal's own type.
    template <class Word = std::uint16_t>
    std::optional<Word> Value() {
        int minuses = 0;
        while (Peek(u"+") || Peek(u"-")) minuses += t_.Text(i_++) == u"-";
        if (AtEnd() || t_.tokens[i_].kind != CppToken::Kind::Number) return std::nullopt;
        const auto literal = TypedIntegerLiteral(t_.Text(i_++));
        if (!literal) return std::nullopt;
        return static_cast<Word>(literal->Converted(minuses, 8 * int(sizeof(Word))));
    }
    // `{ v, v, ... }`, a trailing comma allowed, at most `most` values.
    template <class Word = std::uint16_t>
    std::optional<std::vector<Word>> Braced(std::size_t most) {
        if (!Take(u"{")) return std::nullopt;
        std::vector<Word> values;
        while (!Peek(u"}")) {
            const auto value = Value<Word>();
            if (!value || values.size() == most) return std::nullopt;
            values.push_back(*value);
            if (!Take(u",")) break;
        }
        if (!Take(u"}")) return std::nullopt;
        return values;
    }
    // `{ {v, ...}, ... }`: at most `most` rows of at most `width` values each,
    // ending in zeros up to `width`, as the compiler fills them. `unbraced`,
    // when given, tells whether the row that stopped the reading has no braces.
    template <class Word = std::uint16_t>
    std::optional<std::vector<std::vector<Word>>> BracedRows(std::size_t width, std::size_t most,
                                                             bool* unbraced = nullptr) {
        if (!Take(u"{")) return std::nullopt;
        std::vector<std::vector<Word>> rows;
        while (!Peek(u"}")) {
            if (unbraced) *unbraced = !Peek(u"{");
            auto row = Braced<Word>(width);
            if (!row || rows.size() == most) return std::nullopt;
            row->resize(width, 0);
            rows.push_back(std::move(*row));
            if (!Take(u",")) break;
        }
        if (!Take(u"}")) return std::nullopt;
        return rows;
    }

private:
    const CppTokens& t_;
    std::size_t i_;
    std::size_t end_;
};

}  // namespace award
