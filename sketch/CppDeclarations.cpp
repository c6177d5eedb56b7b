#include "sketch/CppDeclarations.h"

#include <algorithm>
#include <string_view>

namespace award {
namespace {

using Kind = CppToken::Kind;

QStringView Closer(QStringView open) {
    return open == u"(" ? QStringView(u")") : open == u"[" ? QStringView(u"]") : QStringView(u"}");
}

Specifiers SpecifierOf(QStringView word) {
    static constexpr std::pair<std::u16string_view, Specifier> kWords[] = {
        {u"const", kConst},   {u"volatile", kVolatile}, {u"static", kStatic}, {u"unsigned", kUnsigned},
        {u"signed", kSigned}, {u"int", kInt},           {u"short", kShort},   {u"long", kLong},
        {u"char", kChar},     {u"PROGMEM", kProgmem},
    };
    for (const auto& [text, specifier] : kWords)
        if (word == QStringView(text)) return specifier;
    return 0;
}

}  // namespace

bool IsTypeWord(QStringView word) { return SpecifierOf(word) != 0; }

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

std::optional<Declaration> ParseDeclaration(const CppTokens& t, const Statement& s) {
    if (s.function) return std::nullopt;
    Declaration declaration;
    std::size_t i = s.begin;
    for (; i < s.end && t.tokens[i].kind == Kind::Identifier && SpecifierOf(t.Text(i)); ++i)
        declaration.specifiers |= SpecifierOf(t.Text(i));
    if (declaration.specifiers == 0) return std::nullopt;
    const std::size_t last = s.end - 1;  // the semicolon
    while (i < last) {
        if (t.tokens[i].kind != Kind::Identifier || SpecifierOf(t.Text(i))) return std::nullopt;
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

bool IsUnsigned16(Specifiers words) {
    const Specifiers type = words & ~(kConst | kVolatile | kStatic | kProgmem);
    return type == kUnsigned || type == (kUnsigned | kInt) || type == (kUnsigned | kShort) ||
           type == (kUnsigned | kShort | kInt);
}

bool IsInteger16(Specifiers words) {
    const Specifiers type = words & ~(kConst | kVolatile | kStatic | kSigned | kUnsigned);
    const bool signedAndUnsigned = (words & kSigned) && (words & kUnsigned);
    return !signedAndUnsigned && !(words & kProgmem) &&
           (type == 0 ? (words & (kSigned | kUnsigned)) != 0
                      : type == kInt || type == kShort || type == (kShort | kInt));
}

bool TokenCursor::Take(QStringView text) {
    if (AtEnd() || t_.Text(i_) != text) return false;
    ++i_;
    return true;
}

bool TokenCursor::TakeAll(std::initializer_list<QStringView> texts) {
    return std::ranges::all_of(texts, [this](QStringView text) { return Take(text); });
}

std::optional<QString> TokenCursor::TakeIdentifier() {
    if (AtEnd() || t_.tokens[i_].kind != CppToken::Kind::Identifier) return std::nullopt;
    return t_.Text(i_++).toString();
}

std::optional<Refusal> DifferenceFrom(const CppTokens& t, const std::vector<std::pair<std::size_t, std::size_t>>& ranges,
                                          const CppTokens& expected) {
    std::size_t at = 0;
    std::size_t last = 0;
    for (const auto& [begin, end] : ranges) {
        for (std::size_t i = begin; i < end; ++i, ++at) {
            if (at >= expected.tokens.size())
                return Refusal{t.LineOfToken(i), QStringLiteral("這裡多了「%1」").arg(t.Text(i))};
            if (t.tokens[i].kind != expected.tokens[at].kind || t.Text(i) != expected.Text(at))
                return Refusal{t.LineOfToken(i),
                                   QStringLiteral("這裡應該是「%1」，不是「%2」").arg(expected.Text(at), t.Text(i))};
            last = i;
        }
    }
    if (at < expected.tokens.size())
        return Refusal{t.LineOfToken(last), QStringLiteral("程式在這裡就結束了，後面少了「%1」").arg(expected.Text(at))};
    return std::nullopt;
}

Refusal TableRefusal(const CppTokens& t, std::size_t begin, std::size_t end, const QString& otherwise) {
    std::size_t i = begin;
    while (i < end && t.Text(i) != u"=") ++i;
    for (; i < end; ++i) {
        const QStringView text = t.Text(i);
        const bool number = t.tokens[i].kind == CppToken::Kind::Number && IntegerLiteralValue(text);
        if (!number && text != u"=" && text != u"{" && text != u"}" && text != u"," && text != u"+" && text != u"-")
            return {t.LineOfToken(i), QStringLiteral("這裡要一個整數，「%1」不是").arg(text)};
    }
    return {t.LineOfToken(begin), otherwise};
}

}  // namespace award
