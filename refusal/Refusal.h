#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace award {

// Why something was not taken, in the one shape every reader, file, run and
// the board image give it: where (a line of a text, a row of a spreadsheet)
// and why, in the words the user reads. Empty when nothing was refused.
struct Refusal {
    // For those who act on a refusal rather than only show it: the
    // command's exit status, the upload's result.
    enum class Kind {
        Malformed,
        NotAFile,
        Unreadable,
        Unwritable,
        TooLarge,
        NotText,
        BrokenCharacters,
        UnknownEncoding,
        DoesNotFit,
        StackTooSmall
    };

    int line = 0;  // the text's line, from 1; 0 when no one line is to blame
    QString why;
    Kind kind = Kind::Malformed;
    int row = 0;          // a spreadsheet's row, from 1, where one is to blame
    long long bytes = 0;  // the size that did not fit, where one did not

    explicit operator bool() const { return !why.isEmpty(); }
    bool operator==(const Refusal&) const = default;

    // 「第 N 行：…」, 「第 N 列（文字檔的第 M 行）：…」, or the reason alone.
    QString Words() const {
        if (row > 0) {
            // A spreadsheet counts rows, a text editor lines; a cell of two lines parts them.
            const QString where = line == row || line <= 0
                                      ? QStringLiteral("第 %1 列").arg(row)
                                      : QStringLiteral("第 %1 列（文字檔的第 %2 行）").arg(row).arg(line);
            return where + QStringLiteral("：") + why;
        }
        return line > 0 ? QStringLiteral("第 %1 行：%2").arg(line).arg(why) : why;
    }
};

// How a reader refuses: the refusal kept, and nothing read.
inline std::nullopt_t Refuse(Refusal& kept, Refusal why) {
    kept = std::move(why);
    return std::nullopt;
}

// How a reading with a result of its own refuses: a result that holds only
// its refusal, its own or one passed on from the reading it needed.
template <typename Result>
Result Refuse(Refusal why) {
    Result refused;
    refused.refusal = std::move(why);
    return refused;
}
template <typename Result>
Result Refuse(Refusal::Kind kind, const QString& why) {
    return Refuse<Result>(Refusal{0, why, kind});
}

}  // namespace award
