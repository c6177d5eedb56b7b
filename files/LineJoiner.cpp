#include "files/LineJoiner.h"

namespace award {

QString LineJoiner::Add(QStringView piece) {
    QString out;
    out.reserve(piece.size());
    for (const QChar c : piece) {
        if (c == u' ') {
            ++heldSpaces_;
            continue;
        }
        if (c == u'\n' || c == u'\r' || c == u'\t') {
            (c == u'\t' ? tabs_ : lines_) = true;
            heldBreak_ = true;
            continue;
        }
        if (heldBreak_) {
            // Blank lines before the first phrase end no phrase.
            if (wroteAny_) out += u' ';
        } else {
            out += QString(heldSpaces_, u' ');
        }
        heldSpaces_ = 0;
        heldBreak_ = false;
        out += c;
        wroteAny_ = true;
    }
    if (!out.isEmpty()) endsWithSpace_ = out.back() == u' ';
    return out;
}

QString LineJoiner::Finish() {
    QString out = heldBreak_ ? QString() : QString(heldSpaces_, u' ');
    if (!out.isEmpty()) wroteAny_ = endsWithSpace_ = true;
    // In a list the end of the input ends the last line's phrase.
    if ((lines_ || tabs_) && wroteAny_ && !endsWithSpace_) {
        out += u' ';
        endsWithSpace_ = true;
    }
    heldSpaces_ = 0;
    heldBreak_ = false;
    return out;
}

QString LineJoiner::Notice() const {
    if (lines_ && tabs_) return QStringLiteral("檔案裡的換行和 Tab 已改成空白，每行、每個 Tab 隔開的格子各成為一句。");
    if (tabs_) return QStringLiteral("檔案裡的 Tab 已改成空白，每個 Tab 隔開的格子成為一句。");
    if (lines_) return QStringLiteral("檔案裡的換行已改成空白，每行成為一句。");
    return {};
}

QString JoinLines(QStringView text, LineJoiner& joiner) {
    QString joined = joiner.Add(text);
    return joined + joiner.Finish();
}

}  // namespace award
