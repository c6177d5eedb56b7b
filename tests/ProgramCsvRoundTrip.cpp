#include "ProgramCsvRoundTrip.h"

#include "files/ProgramFile.h"

namespace award {
namespace {

QString Describe(const Program& program) {
    QStringList items;
    for (const ProgramItem& item : program) {
        QStringList codes;
        for (const QChar c : item.text) codes << QString::number(c.unicode(), 16);
        items << QStringLiteral("[%1|%2|%3|%4|%5|%6|%7|%8]")
                     .arg(codes.join(u' '), StyleName(item.style), HoldSecondsText(item.holdSeconds),
                          SpeedName(item.speed), AlignName(item.align), item.picture.path,
                          ThresholdName(item.picture.threshold), InvertedName(item.picture.inverted));
    }
    return items.join(u' ');
}

std::optional<QString> Compared(const Program& before, const ProgramFileRead& after) {
    if (after.refusal) return QStringLiteral("reopening refused: ") + after.refusal.Words();
    if (after.program != before) return Describe(before) + QStringLiteral(" became ") + Describe(after.program);
    return std::nullopt;
}

}  // namespace

std::optional<QString> ReopenDifference(const QByteArray& file) {
    const ProgramFileRead read = ReadProgramCsv(file);
    if (read.refusal) return std::nullopt;
    return Compared(read.program, ReadProgramCsv(ProgramCsv(read.program)));
}

std::optional<QString> SaveDifference(const Program& program) {
    return Compared(program, ReadProgramCsv(ProgramCsv(program)));
}

Program ProgramFromBytes(const QByteArray& bytes) {
    // A byte of settings, a byte of length, then that many UTF-16 units taken
    // two bytes each, lone surrogates left out as no editor holds them.
    Program program;
    for (qsizetype at = 0; at + 2 <= bytes.size();) {
        const auto settings = static_cast<unsigned char>(bytes[at]);
        const auto length = static_cast<unsigned char>(bytes[at + 1]);
        at += 2;
        ProgramItem item;
        item.style = static_cast<ItemStyle>(settings % 5);
        item.speed = static_cast<MarqueeSpeed>(settings / 5 % 3);
        item.align = settings / 15 % 2 ? ItemAlign::Left : ItemAlign::Centre;
        item.holdSeconds = *HoldSecondsFrom(kMinHoldSeconds + kHoldStepSeconds * (settings / 30));
        QString units;
        for (int i = 0; i < length && at + 2 <= bytes.size(); ++i, at += 2)
            units += QChar(char16_t(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8));
        for (qsizetype i = 0; i < units.size(); ++i) {
            if (units[i].isHighSurrogate() && i + 1 < units.size() && units[i + 1].isLowSurrogate())
                item.text += units.mid(i++, 2);
            else if (!units[i].isSurrogate())
                item.text += units[i];
        }
        program.push_back(item);
    }
    return program;
}

}  // namespace award
