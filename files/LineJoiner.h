#pragma once

#include <QString>
#include <QStringView>

namespace award {

// Turns a list, one phrase a line or cells parted by tabs as a spreadsheet
// column pastes, into banner text: each run of line breaks (LF, CR LF, CR)
// and tabs, with the spaces around it, becomes the one space that ends a
// phrase, and in such a list the last line is a phrase too. Blank lines make
// no empty phrases. Fed a piece at a time, so that a reader of a stream gives
// the same text as a reader of the whole, wherever the pieces are cut.
class LineJoiner {
public:
    // The text that is sure so far; whitespace at the piece's end is held
    // until the next piece shows what it belongs to.
    QString Add(QStringView piece);
    // What is left once the input has ended.
    QString Finish();

    // Tells the user what joining did; empty when it did nothing.
    QString Notice() const;

private:
    qsizetype heldSpaces_ = 0;
    bool heldBreak_ = false;
    bool wroteAny_ = false;
    bool endsWithSpace_ = false;
    bool lines_ = false;
    bool tabs_ = false;
};

// A whole text joined at once.
QString JoinLines(QStringView text, LineJoiner& joiner);

}  // namespace award
