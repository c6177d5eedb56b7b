#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace award {

// A sketch cut into the tokens avr-g++ sees: lines joined where a backslash
// ends them, comments and white space gone, literals and operators whole.
struct CppToken {
    enum class Kind { Identifier, Number, Punctuator, Literal };
    Kind kind = Kind::Punctuator;
    qsizetype start = 0;  // in CppTokens::text
    qsizetype length = 0;
};

struct CppTokens {
    QString text;  // the source with its line continuations joined
    std::vector<CppToken> tokens;

    QStringView Text(const CppToken& token) const { return QStringView(text).mid(token.start, token.length); }
    QStringView Text(std::size_t index) const { return Text(tokens[index]); }
};

// Nothing when the compiler would stop at the text itself: a character that
// C++ does not know outside comments and literals (U+3000 and U+00A0 are not
// white space to it), a comment or literal left open, a malformed number, or a
// preprocessor directive other than #include and #pragma, which could change
// what the rest of the text means.
std::optional<CppTokens> TokenizeCpp(QStringView source);

// The value of a C++ integer literal as avr-g++ reads it: decimal, octal with
// a leading 0, hexadecimal, binary, with u, l and ll suffixes. Nothing for
// anything else, or for a value past 64 bits.
std::optional<std::uint64_t> IntegerLiteralValue(QStringView literal);

}  // namespace award
