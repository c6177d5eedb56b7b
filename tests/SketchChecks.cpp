#include "SketchChecks.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace award::test {

QString ReadGolden(const char* name) {
    QFile file(QStringLiteral(AWARD_GOLDEN_DIR "/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

std::string CheckSketchForm(const QString& sketch, int* rowsOut) {
    if (!sketch.endsWith(QStringLiteral("}\r\n"))) return "does not end with }CRLF";
    QStringList lines = sketch.split(QStringLiteral("\r\n"));
    lines.removeLast();  // after the final line break
    for (const QString& line : lines)
        if (line.contains(u'\r') || line.contains(u'\n')) return "a bare CR or LF inside a line";
    if (lines.size() < 31) return "fewer than 31 lines";
    const QString golden = ReadGolden("two_known_frames.ino");
    QStringList fixed = golden.split(QStringLiteral("\r\n"));
    fixed.removeLast();
    // The known-frames sketch has two phrase rows; its other lines are the fixed ones.
    const int rows = static_cast<int>(lines.size()) - 31;
    for (int i = 0; i < 4; ++i)
        if (lines[i] != fixed[i]) return "preamble line " + std::to_string(i + 1) + " differs";
    static const QRegularExpression rowForm(
        QStringLiteral("^,\\{1(, (0|[1-9][0-9]{0,4})){64}\\}$"));
    for (int r = 0; r < rows; ++r) {
        const QString& line = lines[4 + r];
        const auto m = rowForm.match(line);
        if (!m.hasMatch()) return "row " + std::to_string(r + 1) + " is malformed";
        for (const QString& word : line.mid(4, line.size() - 5).split(u','))
            if (word.trimmed().toInt() > 65535) return "a word above 65535";
    }
    for (int i = 6; i < fixed.size(); ++i) {
        const QString& expected = fixed[i];
        const QString& actual = lines[rows + i - 2];
        if (i == 8) {
            const QString count = QStringLiteral("unsigned int num= %1;   //b[][65]資料長度").arg(rows);
            if (actual != count) return "count line: " + actual.toStdString();
        } else if (actual != expected) {
            return "fixed line " + std::to_string(rows + i - 1) + " differs: " + actual.toStdString();
        }
    }
    if (rowsOut) *rowsOut = rows;
    return {};
}

}  // namespace award::test
