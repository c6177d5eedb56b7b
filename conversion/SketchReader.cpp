#include "conversion/SketchReader.h"

#include <QStringView>

namespace award {
namespace {

constexpr int kRowElements = 65;

// A small cursor over the text that skips white space and C++ comments the
// way the compiler would.
class Cursor {
public:
    explicit Cursor(QStringView text) : text_(text) {}

    void SkipBlank() {
        while (pos_ < text_.size()) {
            if (text_[pos_].isSpace()) {
                ++pos_;
            } else if (text_.mid(pos_).startsWith(u"//")) {
                while (pos_ < text_.size() && text_[pos_] != u'\n') ++pos_;
            } else if (text_.mid(pos_).startsWith(u"/*")) {
                const qsizetype end = text_.indexOf(u"*/", pos_ + 2);
                pos_ = end < 0 ? text_.size() : end + 2;
            } else {
                return;
            }
        }
    }
    bool Take(QStringView token) {
        SkipBlank();
        if (!text_.mid(pos_).startsWith(token)) return false;
        pos_ += token.size();
        return true;
    }
    bool Peek(QChar c) {
        SkipBlank();
        return pos_ < text_.size() && text_[pos_] == c;
    }
    std::optional<long long> Number() {
        SkipBlank();
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_[pos_].isDigit() && pos_ - start < 12) ++pos_;
        if (pos_ == start || (pos_ < text_.size() && text_[pos_].isDigit())) return std::nullopt;
        return text_.mid(start, pos_ - start).toLongLong();
    }
    bool SeekAfter(QStringView token) {
        const qsizetype at = text_.indexOf(token, pos_);
        if (at < 0) return false;
        pos_ = at + token.size();
        return true;
    }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

std::optional<std::vector<long long>> ReadRow(Cursor& cursor) {
    if (!cursor.Take(u"{")) return std::nullopt;
    std::vector<long long> row;
    do {
        const auto value = cursor.Number();
        if (!value) return std::nullopt;
        row.push_back(*value);
    } while (cursor.Take(u","));
    if (!cursor.Take(u"}")) return std::nullopt;
    return row;
}

}  // namespace

std::optional<SketchFrames> ReadSketch(const QString& sketchText) {
    Cursor cursor(sketchText);
    if (!cursor.SeekAfter(u"b[][65]") || !cursor.Take(u"=") || !cursor.Take(u"{")) return std::nullopt;

    std::vector<std::vector<long long>> rows;
    while (true) {
        const auto row = ReadRow(cursor);
        if (!row || row->size() != kRowElements) return std::nullopt;
        for (long long value : *row)
            if (value > 0xFFFF) return std::nullopt;
        rows.push_back(*row);
        if (!cursor.Take(u",")) break;
        if (cursor.Peek(u'}')) break;  // a trailing comma before the closing brace
    }
    if (!cursor.Take(u"}") || !cursor.Take(u";")) return std::nullopt;

    if (!cursor.SeekAfter(u"num") || !cursor.Take(u"=")) return std::nullopt;
    const auto count = cursor.Number();
    if (!count || !cursor.Take(u";")) return std::nullopt;
    // The board shows rows 1 to num; a count that reaches past the table reads
    // whatever lies behind it.
    if (*count >= static_cast<long long>(rows.size())) return std::nullopt;

    SketchFrames result;
    result.tableRows = static_cast<int>(rows.size());
    for (long long k = 1; k <= *count; ++k) {
        SketchFrames::Frame frame;
        frame.delayFactor = static_cast<int>(rows[k][0]);
        for (int x = 0; x < kSignColumns; ++x)
            frame.words[x] = static_cast<std::uint16_t>(rows[k][x + 1]);
        result.frames.push_back(frame);
    }
    return result;
}

}  // namespace award
