#pragma once

#include "sketch/CppTokens.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Reads tokens of one declarator in order.
class TokenCursor {
public:
    TokenCursor(const CppTokens& t, std::size_t begin, std::size_t end) : t_(t), i_(begin), end_(end) {}

    bool AtEnd() const { return i_ >= end_; }
    bool Take(QStringView text);
    bool Peek(QStringView text) const { return !AtEnd() && t_.Text(i_) == text; }
    // An integer literal with any unary signs before it, as a 16-bit unsigned
    // int holds it once converted.
    std::optional<std::uint16_t> Value();

private:
    const CppTokens& t_;
    std::size_t i_;
    std::size_t end_;
};

}  // namespace award
