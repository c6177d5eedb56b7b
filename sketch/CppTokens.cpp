#include "sketch/CppTokens.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace award {
namespace {

// The directives a sketch may keep, written without spaces.
constexpr QStringView kKnownDirectives[] = {u"#include<Arduino.h>", u"#include<avr/pgmspace.h>", u"#include<avr/io.h>"};

QString KnownDirectivesInWords() {
    QStringList words;
    for (QStringView known : kKnownDirectives) words << known.toString().replace(u'<', QStringLiteral(" <"));
    return words.join(QStringLiteral("、"));
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsIdentifierStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'$';
}
bool IsIdentifierPart(char16_t c) { return IsIdentifierStart(c) || IsDigit(c); }

// Translation phase 2: a backslash at the end of a line joins it to the next,
// also inside comments. GCC allows blanks between the backslash and the break.
QString JoinContinuedLines(QStringView source, std::vector<qsizetype>& joins) {
    if (!source.contains(u'\\')) return source.toString();
    QString joined;
    joined.reserve(source.size());
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] == u'\\') {
            qsizetype j = i + 1;
            while (j < source.size() && (source[j] == u' ' || source[j] == u'\t')) ++j;
            if (j < source.size() && source[j] == u'\r' && j + 1 < source.size() && source[j + 1] == u'\n') ++j;
            if (j < source.size() && (source[j] == u'\n' || source[j] == u'\r')) {
                joins.push_back(joined.size());
                i = j;
                continue;
            }
        }
        joined += source[i];
    }
    return joined;
}

// Longest first, so that maximal munch picks "<<=" over "<<" over "<".
constexpr std::array<std::u16string_view, 24> kLongPunctuators = {
    u"<<=", u">>=", u"...", u"->*", u"<=", u">=", u"==", u"!=", u"++", u"--", u"+=", u"-=",
    u"*=",  u"/=",  u"%=",  u"&=",  u"|=", u"^=", u"&&", u"||", u"<<", u">>", u"->", u"::",
};
constexpr std::u16string_view kShortPunctuators = u"{}[]()<>;:,.?~!%^&*-+=|/";

bool IsFloatingLiteral(QStringView s) {
    qsizetype i = 0;
    const auto digits = [&](auto accept) {
        const qsizetype from = i;
        while (i < s.size() && accept(s[i].unicode())) ++i;
        return i - from;
    };
    const bool hex = s.startsWith(u"0x", Qt::CaseInsensitive);
    if (hex) i = 2;
    const auto mantissaDigit = hex ? +[](char16_t c) { return IsDigit(c) || ((c | 0x20) >= u'a' && (c | 0x20) <= u'f'); }
                                   : +[](char16_t c) { return IsDigit(c); };
    qsizetype mantissa = digits(mantissaDigit);
    bool point = false;
    if (i < s.size() && s[i] == u'.') {
        point = true;
        ++i;
        mantissa += digits(mantissaDigit);
    }
    if (mantissa == 0) return false;
    bool exponent = false;
    if (i < s.size() && (s[i] == (hex ? u'p' : u'e') || s[i] == (hex ? u'P' : u'E'))) {
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
        if (digits(+[](char16_t c) { return IsDigit(c); }) == 0) return false;
        exponent = true;
    }
    if (hex ? !exponent : !(point || exponent)) return false;
    if (i < s.size() && QStringView(u"fFlL").contains(s[i])) ++i;
    return i == s.size();
}

class Scanner {
public:
    Scanner(CppTokens& out, std::size_t mostTokens) : out_(out), s_(out.text), mostTokens_(mostTokens) {}

    qsizetype StoppedAt() const { return stoppedAt_; }
    const QString& Why() const { return why_; }

    bool Run() {
        bool lineStart = true;
        while (pos_ < s_.size()) {
            const char16_t c = s_[pos_].unicode();
            if (IsBlank(c)) {
                if (c == u'\n' || c == u'\r') lineStart = true;
                ++pos_;
                continue;
            }
            if (c == u'/' && Next() == u'/') {
                while (pos_ < s_.size() && s_[pos_] != u'\n' && s_[pos_] != u'\r') ++pos_;
                continue;
            }
            if (c == u'/' && Next() == u'*') {
                const qsizetype end = s_.indexOf(u"*/", pos_ + 2);
                if (end < 0) return Fail(QStringLiteral("註解的「/*」沒有用「*/」結束"));
                pos_ = end + 2;
                continue;
            }
            // 「%:」 is another spelling of 「#」, which no sketch of ours uses.
            if (c == u'%' && Next() == u':')
                return Fail(QStringLiteral("「%:」是「#」的另一種寫法，這行看板程式不認得"));
            if (c == u'#') {
                const qsizetype start = pos_;
                if (!lineStart) return Fail(QStringLiteral("「#」要在一行的開頭"));
                if (!SkipDirective())
                    return Fail(QStringLiteral("「%1」這行看板程式不認得：「#」開頭的只能是 %2")
                                    .arg(s_.mid(start, pos_ - start).trimmed(), KnownDirectivesInWords()),
                                start);
                continue;
            }
            lineStart = false;
            if (out_.tokens.size() >= mostTokens_) return Fail(QStringLiteral("程式太長，看板放不下"));
            if (!Token(c)) return false;
        }
        return true;
    }

private:
    bool Fail(const QString& why, qsizetype at = -1) {
        stoppedAt_ = at < 0 ? pos_ : at;
        why_ = why;
        return false;
    }

    char16_t Next(qsizetype ahead = 1) const {
        return pos_ + ahead < s_.size() ? s_[pos_ + ahead].unicode() : u'\0';
    }

    void Add(CppToken::Kind kind, qsizetype start) {
        out_.tokens.push_back({kind, static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(pos_ - start)});
    }

    // Only the headers an Arduino sketch has anyway: any other header, or a
    // pragma, could change what the rest of the text means to the compiler.
    bool SkipDirective() {
        const qsizetype start = pos_;
        while (pos_ < s_.size() && s_[pos_] != u'\n' && s_[pos_] != u'\r') ++pos_;
        QString line = s_.mid(start, pos_ - start).toString();
        if (const qsizetype comment = line.indexOf(QStringLiteral("//")); comment >= 0) line.truncate(comment);
        line = line.simplified().remove(u' ');
        return std::ranges::any_of(kKnownDirectives, [&](QStringView known) { return line == known; });
    }

    bool Token(char16_t c) {
        const qsizetype start = pos_;
        if (IsIdentifierStart(c)) {
            while (pos_ < s_.size() && IsIdentifierPart(s_[pos_].unicode())) ++pos_;
            const QStringView word = s_.mid(start, pos_ - start);
            if (pos_ < s_.size() && (s_[pos_] == u'"' || s_[pos_] == u'\'')) {
                static const QStringView prefixes[] = {u"u8", u"u", u"U", u"L"};
                static const QStringView rawPrefixes[] = {u"R", u"u8R", u"uR", u"UR", u"LR"};
                if (s_[pos_] == u'"' && std::ranges::count(rawPrefixes, word) > 0) return RawString(start);
                if (std::ranges::count(prefixes, word) > 0) return Quoted(start, s_[pos_].unicode());
            }
            Add(CppToken::Kind::Identifier, start);
            return true;
        }
        if (IsDigit(c) || (c == u'.' && IsDigit(Next()))) {
            // A preprocessing number: digits, letters, points, and signs after an exponent letter.
            while (pos_ < s_.size() &&
                   (IsIdentifierPart(s_[pos_].unicode()) || s_[pos_] == u'.' ||
                    ((s_[pos_] == u'+' || s_[pos_] == u'-') && QStringView(u"eEpP").contains(s_[pos_ - 1]))))
                ++pos_;
            const QStringView number = s_.mid(start, pos_ - start);
            if (!IntegerLiteralValue(number) && !IsFloatingLiteral(number))
                return Fail(QStringLiteral("這裡要一個數，「%1」不是數").arg(number), start);
            Add(CppToken::Kind::Number, start);
            return true;
        }
        if (c == u'"' || c == u'\'') return Quoted(start, c);
        const auto longOne = std::ranges::find_if(
            kLongPunctuators, [&](std::u16string_view p) { return s_.mid(pos_).startsWith(QStringView(p)); });
        if (longOne != kLongPunctuators.end() || kShortPunctuators.find(c) != std::u16string_view::npos) {
            pos_ += longOne != kLongPunctuators.end() ? qsizetype(longOne->size()) : 1;
            Add(CppToken::Kind::Punctuator, start);
            return true;
        }
        return Fail(QChar(c).isSpace() ? QStringLiteral("這裡有全形或特殊的空白，程式裡只能用半形空白")
                                       : QStringLiteral("「%1」不是程式裡能用的字").arg(QChar(c)));
    }

    // A string or character literal, which may hold any character but must
    // close on its own line.
    bool Quoted(qsizetype start, char16_t quote) {
        ++pos_;
        while (pos_ < s_.size()) {
            const char16_t c = s_[pos_].unicode();
            if (c == u'\n' || c == u'\r') break;
            ++pos_;
            if (c == u'\\') {
                if (pos_ >= s_.size()) break;
                ++pos_;
            } else if (c == quote) {
                Add(CppToken::Kind::Literal, start);
                return true;
            }
        }
        return Fail(QStringLiteral("引號沒有在同一行結束"), start);
    }

    bool RawString(qsizetype start) {
        const qsizetype open = s_.indexOf(u'(', pos_);
        const QString close = u')' + s_.mid(pos_ + 1, open - pos_ - 1).toString() + u'"';
        const qsizetype end = open < 0 || open - pos_ - 1 > 16 ? -1 : s_.indexOf(close, open + 1);
        if (end < 0) return Fail(QStringLiteral("引號沒有結束"), start);
        pos_ = end + close.size();
        Add(CppToken::Kind::Literal, start);
        return true;
    }

    CppTokens& out_;
    QStringView s_;
    std::size_t mostTokens_;
    qsizetype pos_ = 0;
    qsizetype stoppedAt_ = 0;
    QString why_;
};

struct LiteralParts {
    QStringView digits;
    int base = 10;
    bool unsignedSuffix = false;
    int longs = 0;  // l or ll
};

std::optional<LiteralParts> Parts(QStringView literal) {
    // The suffix: u, l or ll in either order, each at most once, ll in one case.
    LiteralParts parts;
    QStringView body = literal;
    bool longSeen = false;
    while (!body.isEmpty()) {
        const QChar last = body.back();
        if ((last == u'u' || last == u'U') && !parts.unsignedSuffix) {
            parts.unsignedSuffix = true;
            body.chop(1);
        } else if ((last == u'l' || last == u'L') && !longSeen) {
            longSeen = true;
            parts.longs = body.size() >= 2 && body[body.size() - 2] == last ? 2 : 1;
            body.chop(parts.longs);
        } else {
            break;
        }
    }
    const bool hex = body.size() > 2 && body.startsWith(u"0x", Qt::CaseInsensitive);
    const bool binary = body.size() > 2 && body.startsWith(u"0b", Qt::CaseInsensitive);
    parts.base = hex ? 16 : binary ? 2 : (body.size() > 1 && body[0] == u'0') ? 8 : 10;
    parts.digits = body.mid(hex || binary ? 2 : parts.base == 8 ? 1 : 0);
    if (parts.digits.isEmpty()) return std::nullopt;
    return parts;
}

}  // namespace

std::optional<CppTokens> TokenizeCpp(QStringView source, std::size_t mostTokens, Refusal* refusal) {
    if (source.size() > qsizetype{std::numeric_limits<std::uint32_t>::max()}) {
        if (refusal) *refusal = {0, QStringLiteral("程式太長，看板放不下")};
        return std::nullopt;
    }
    CppTokens tokens;
    tokens.text = JoinContinuedLines(source, tokens.joins);
    Scanner scanner(tokens, mostTokens);
    if (!scanner.Run()) {
        if (refusal) *refusal = {tokens.LineOf(scanner.StoppedAt()), scanner.Why()};
        return std::nullopt;
    }
    return tokens;
}

int CppTokens::LineOf(qsizetype offset) const {
    const QStringView before = QStringView(text).first(std::min(offset, text.size()));
    // CR LF, LF and a lone CR each end a line.
    const auto breaks = before.count(u'\n') + before.count(u'\r') - before.count(u"\r\n");
    const auto joined = std::upper_bound(joins.begin(), joins.end(), offset) - joins.begin();
    return static_cast<int>(1 + breaks + joined);
}

std::optional<std::uint64_t> IntegerLiteralValue(QStringView literal) {
    const auto parts = Parts(literal);
    if (!parts) return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar ch : parts->digits) {
        const char16_t c = ch.unicode();
        int digit = 99;
        if (IsDigit(c)) digit = c - u'0';
        else if (c >= u'a' && c <= u'f') digit = 10 + (c - u'a');
        else if (c >= u'A' && c <= u'F') digit = 10 + (c - u'A');
        if (digit >= parts->base) return std::nullopt;
        if (value > (std::numeric_limits<std::uint64_t>::max() - std::uint64_t(digit)) / std::uint64_t(parts->base))
            return std::nullopt;
        value = value * std::uint64_t(parts->base) + std::uint64_t(digit);
    }
    return value;
}

// The first type of the literal's list that holds its value: a decimal
// literal without u stays signed; any other may take the unsigned type of
// the same width.
std::optional<IntegerLiteral> TypedIntegerLiteral(QStringView literal) {
    const auto parts = Parts(literal);
    const auto value = IntegerLiteralValue(literal);
    if (!parts || !value) return std::nullopt;
    const bool decimal = parts->base == 10;
    for (const int bits : {16, 32, 64}) {
        if (bits < 16 << parts->longs) continue;
        const std::uint64_t unsignedMost = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
        if (!parts->unsignedSuffix && *value <= unsignedMost >> 1) return IntegerLiteral{*value, bits, false};
        if ((parts->unsignedSuffix || !decimal) && *value <= unsignedMost) return IntegerLiteral{*value, bits, true};
    }
    return std::nullopt;
}

std::uint64_t IntegerLiteral::Converted(int minuses, int toBits) const {
    const auto mask = [](int width) { return width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1; };
    // Two's complement in the literal's width: a signed minus and an
    // unsigned one leave the same bits.
    std::uint64_t bitsOf = value;
    for (int m = 0; m < minuses; ++m) bitsOf = (0 - bitsOf) & mask(bits);
    // Widening a negative signed value fills the new bits with ones.
    if (!isUnsigned && toBits > bits && (bitsOf >> (bits - 1)) & 1) bitsOf |= ~mask(bits);
    return bitsOf & mask(toBits);
}

}  // namespace award
