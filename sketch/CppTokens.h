#pragma once

#include "refusal/Refusal.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace award {

// A sketch cut into the tokens avr-g++ sees: lines joined where a backslash
// ends them, comments and white space gone, literals and operators whole.
struct CppToken {
    enum class Kind : std::uint8_t { Identifier, Number, Punctuator, Literal };
    // Small, as a sketch has about one token for every two characters.
    Kind kind = Kind::Punctuator;
    std::uint32_t start = 0;  // in CppTokens::text
    std::uint32_t length = 0;
};

struct CppTokens {
    QString text;  // the source with its line continuations joined
    std::vector<CppToken> tokens;
    std::vector<qsizetype> joins;  // where in text a continuation was joined

    QStringView Text(const CppToken& token) const { return QStringView(text).mid(token.start, token.length); }
    QStringView Text(std::size_t index) const { return Text(tokens[index]); }
    // The line of the source, counted from 1, that holds this place of text.
    int LineOf(qsizetype offset) const;
    int LineOfToken(std::size_t index) const { return LineOf(index < tokens.size() ? tokens[index].start : text.size()); }
};

// Nothing when the compiler would stop at the text itself: a character that
// C++ does not know outside comments and literals (U+3000 and U+00A0 are not
// white space to it), a comment or literal left open, a malformed number, or a
// preprocessor directive other than the include of a header every sketch has
// (Arduino.h, avr/pgmspace.h, avr/io.h), which could change
// what the rest of the text means. Also nothing for a text of 2^32 characters
// or more, and once more than `mostTokens`
// tokens are found, so that a caller with a bound on what it accepts never
// holds more.
// `refusal`, when given, says where and why the text stopped.
std::optional<CppTokens> TokenizeCpp(QStringView source,
                                     std::size_t mostTokens = std::numeric_limits<std::size_t>::max(),
                                     Refusal* refusal = nullptr);

// The value of a C++ integer literal as avr-g++ reads it: decimal, octal with
// a leading 0, hexadecimal, binary, with u, l and ll suffixes. Nothing for
// anything else, or for a value past 64 bits.
std::optional<std::uint64_t> IntegerLiteralValue(QStringView literal);

// The same with the type the board gives it, as C++ types a literal by its
// value, base and suffix on an AVR, where int is 16 bits and long 32.
struct IntegerLiteral {
    std::uint64_t value = 0;
    int bits = 16;
    bool isUnsigned = false;

    // The literal behind `minuses` unary minus signs, converted to an
    // unsigned type of `toBits` bits, as the compiler works it out: the
    // minus taken in the literal's own type.
    std::uint64_t Converted(int minuses, int toBits) const;
};
std::optional<IntegerLiteral> TypedIntegerLiteral(QStringView literal);

}  // namespace award
