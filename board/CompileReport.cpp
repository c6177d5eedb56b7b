#include "board/CompileReport.h"

#include "board/BoardModels.h"
#include "sign/FigureWords.h"
#include "sign/Mega2560.h"

#include <QRegularExpression>

#include <algorithm>

namespace award {
namespace {

std::optional<int> Captured(const QString& output, const QRegularExpression& pattern) {
    const QRegularExpressionMatch match = pattern.match(output);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toInt();
}

// The compiler's most common complaints about a hand-edited sketch, in plain
// words; anything else is passed on as the compiler put it.
QString PlainCompilerMessage(const QString& message) {
    static const struct {
        QRegularExpression pattern;
        const char* plain;
    } kPlain[] = {
        {QRegularExpression(QStringLiteral("^'(.+)' was not declared in this scope")), "「%1」沒有宣告過"},
        {QRegularExpression(QStringLiteral("^'(.+)' does not name a type")), "「%1」不是認得的型別"},
        {QRegularExpression(QStringLiteral("^expected '(.+)' before")), "這裡少了「%1」"},
        {QRegularExpression(QStringLiteral("^stray '(.+)' in program")), "有程式不認得的字元（例如全形標點或空白）"},
        {QRegularExpression(QStringLiteral("^too many initializers")), "表格裡的數字比宣告的多"},
        {QRegularExpression(QStringLiteral("^redefinition of '(.+)'")), "「%1」重複定義"},
    };
    for (const auto& [pattern, plain] : kPlain) {
        const QRegularExpressionMatch match = pattern.match(message);
        const QString text = QString::fromUtf8(plain);
        if (match.hasMatch()) return text.contains(QLatin1String("%1")) ? text.arg(match.captured(1)) : text;
    }
    return QStringLiteral("編譯器的說明：") + message;
}

// The board as the capacity messages name it: Mega 2560, Uno / Nano.
QString ShortName(const BoardModel& model) { return model.name.mid(model.name.indexOf(u' ') + 1); }

}  // namespace

QString CapacityProblem(int programBytes, int sramBytes, BoardKind board) {
    const BoardModel& model = ModelOf(board);
    if (programBytes > model.programBytes)
        return QStringLiteral("程式太大（%1 位元組），%3 只放得下 %2 位元組：請減少句數")
            .arg(Thousands(programBytes), Thousands(model.programBytes), ShortName(model));
    const int stack = model.sramBytes - sramBytes;
    if (stack < kStackReserveBytes)
        return QStringLiteral("變數用掉 %1 位元組 SRAM，只剩 %2 位元組給堆疊（至少要 %3），"
                              "在看板上會當機，所以不上傳：請減少句數")
            .arg(Thousands(sramBytes), Thousands(stack), Thousands(kStackReserveBytes));
    return {};
}


QString CompileReport::SizeNotice() const {
    if (!programBytes || !sramBytes) return {};
    const BoardModel& model = ModelOf(board);
    return QStringLiteral("程式 %1 位元組（上限 %2）；變數用掉 SRAM %3 位元組，剩 %4 位元組給堆疊")
        .arg(Thousands(*programBytes), Thousands(model.programBytes), Thousands(*sramBytes),
             Thousands(model.sramBytes - *sramBytes));
}

CompileReport ReadCompileOutput(const QString& output, const QString& sketchFileName, bool succeeded,
                                BoardKind board) {
    CompileReport report;
    report.board = board;
    const BoardModel& model = ModelOf(board);
    report.programBytes = Captured(output, QRegularExpression(QStringLiteral("Sketch uses (\\d+) bytes")));
    report.sramBytes = Captured(output, QRegularExpression(QStringLiteral("Global variables use (\\d+) bytes")));
    report.built = succeeded && report.programBytes && report.sramBytes;
    if (report.programBytes && report.sramBytes)
        report.problem = CapacityProblem(*report.programBytes, *report.sramBytes, board);
    report.fits = report.problem.isEmpty();
    if (report.built || !report.fits) return report;

    const QRegularExpressionMatch error =
        QRegularExpression(QRegularExpression::escape(sketchFileName) +
                           QStringLiteral(":(\\d+):\\d+: (?:fatal )?error: (.*)$"),
                           QRegularExpression::MultilineOption)
            .match(output);
    if (error.hasMatch()) {
        report.errorLine = error.captured(1).toInt();
        report.problem = QStringLiteral("程式第 %1 行有錯，無法編譯：%2。請改正這一行，或按執行重新產生程式")
                             .arg(*report.errorLine)
                             .arg(PlainCompilerMessage(error.captured(2)));
    } else if (output.contains(QLatin1String("not within region `data'"))) {
        report.fits = false;
        report.problem = QStringLiteral("變數超過 %2 的 %1 位元組 SRAM，放不進看板：請減少句數")
                             .arg(Thousands(model.sramBytes), ShortName(model));
    } else if (output.contains(QLatin1String("region `text'"))) {
        report.fits = false;
        report.problem = QStringLiteral("程式太大，%1 放不下：請減少句數").arg(ShortName(model));
    } else {
        // Whatever went wrong outside the sketch, the tools' first word on it.
        const QStringList lines = output.trimmed().split(u'\n');
        const auto first = std::find_if(lines.begin(), lines.end(),
                                        [](const QString& line) { return line.contains(QLatin1String("error"), Qt::CaseInsensitive); });
        report.problem = QStringLiteral("無法編譯：%1").arg(first != lines.end() ? *first : lines.last());
    }
    return report;
}

}  // namespace award
