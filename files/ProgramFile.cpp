#include "files/ProgramFile.h"

#include "files/AtomicFile.h"
#include "files/TextDecoding.h"

#include <csv.h>

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <new>
#include <memory>
#include <vector>

namespace award {
namespace {

// Many times the longest program the board holds.
constexpr qsizetype kMaxProgramFileBytes = 4 * 1024 * 1024;
constexpr int kColumns = 5;

ProgramFileRead Refused(int line, const QString& why) {
    ProgramFileRead refused;
    refused.line = line;
    refused.why = why;
    return refused;
}

// Rows as libcsv cuts them, each with the line it starts on.
struct CsvRows {
    struct Row {
        int line = 0;
        std::vector<QString> cells;
    };
    std::vector<Row> rows;
    Row current;
    bool atRowStart = true;
    int line = 1;
    // Where the row libcsv could not read begins; 0 when it read them all.
    int badLine = 0;

    static void Cell(void* cell, std::size_t size, void* data) {
        auto* rows = static_cast<CsvRows*>(data);
        rows->current.cells.push_back(QString::fromUtf8(static_cast<const char*>(cell), static_cast<qsizetype>(size)));
    }
    static void RowEnd(int, void* data) {
        auto* rows = static_cast<CsvRows*>(data);
        rows->rows.push_back(std::move(rows->current));
        rows->current = {};
        rows->atRowStart = true;
    }
};

struct ParserDeleter {
    void operator()(csv_parser* parser) const {
        csv_free(parser);
        delete parser;
    }
};

// Fed a byte at a time, so that each row knows the line it starts on even
// when a quoted cell holds line breaks.
CsvRows ParseCsv(const QByteArray& utf8) {
    CsvRows rows;
    std::unique_ptr<csv_parser, ParserDeleter> parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
    for (const char byte : utf8) {
        const bool lineEnd = byte == '\n' || byte == '\r';
        if (rows.atRowStart && !lineEnd) {
            rows.atRowStart = false;
            rows.current.line = rows.line;
        }
        if (csv_parse(parser.get(), &byte, 1, CsvRows::Cell, CsvRows::RowEnd, &rows) != 1) {
            rows.badLine = rows.current.line;
            return rows;
        }
        if (byte == '\n') ++rows.line;
    }
    if (csv_fini(parser.get(), CsvRows::Cell, CsvRows::RowEnd, &rows) != 0) rows.badLine = rows.current.line;
    return rows;
}

// A named setting's cell: left as it is when empty, else the value it names;
// false, with why, for a name it does not know.
template <class Value>
bool TakeNamed(const QString& cell, std::optional<Value> (*named)(QStringView), const QString& setting,
               const QString& names, Value& value, QString& why) {
    if (cell.isEmpty()) return true;
    const auto found = named(cell);
    if (!found) {
        why = QStringLiteral("%1「%2」不認得，要是 %3。").arg(setting, cell, names);
        return false;
    }
    value = *found;
    return true;
}

// One row as an item, or why it cannot be one.
std::optional<ProgramItem> ItemFrom(const std::vector<QString>& cells, QString& why) {
    ProgramItem item;
    const auto cell = [&](int column) { return column < int(cells.size()) ? cells[std::size_t(column)].trimmed() : QString(); };
    for (std::size_t extra = kColumns; extra < cells.size(); ++extra) {
        if (!cells[extra].trimmed().isEmpty()) {
            why = QStringLiteral("多了第 %1 欄「%2」；每列只有 內容、顯示方式、停留秒數、速度、對齊 五欄。")
                      .arg(extra + 1)
                      .arg(cells[extra]);
            return std::nullopt;
        }
    }
    if (!cells.empty()) item.text = cells[0];
    if (!TakeNamed(cell(1), StyleNamed, QStringLiteral("顯示方式"), StyleNamesInWords(), item.style, why))
        return std::nullopt;
    if (const QString hold = cell(2); !hold.isEmpty()) {
        const auto seconds = HoldSecondsFrom(hold);
        if (!seconds) {
            why = QStringLiteral("停留秒數「%1」不對，要是 %2 到 %3 之間的秒數，以 %4 秒為單位。")
                      .arg(hold, HoldSecondsText(kMinHoldSeconds), HoldSecondsText(kMaxHoldSeconds),
                           HoldSecondsText(kHoldStepSeconds));
            return std::nullopt;
        }
        item.holdSeconds = *seconds;
    }
    if (!TakeNamed(cell(3), SpeedNamed, QStringLiteral("速度"), SpeedNamesInWords(), item.speed, why) ||
        !TakeNamed(cell(4), AlignNamed, QStringLiteral("對齊"), AlignNamesInWords(), item.align, why))
        return std::nullopt;
    return item;
}

QByteArray CsvCell(const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\r') && !utf8.contains('\n') &&
        value.trimmed() == value)
        return utf8;
    QByteArray quoted(utf8.size() * 2 + 2, '\0');
    quoted.resize(static_cast<qsizetype>(csv_write(quoted.data(), static_cast<std::size_t>(quoted.size()),
                                                   utf8.constData(), static_cast<std::size_t>(utf8.size()))));
    return quoted;
}

}  // namespace

QString ProgramFileProblem(const ProgramFileRead& read) {
    return read.line > 0 ? QStringLiteral("第 %1 行：%2").arg(read.line).arg(read.why) : read.why;
}

QString ProgramCsvHeader() { return QStringLiteral("內容,顯示方式,停留秒數,速度,對齊"); }

QByteArray ProgramCsv(const Program& program) {
    // The byte-order mark tells Excel the file is UTF-8.
    QByteArray csv("\xEF\xBB\xBF");
    csv += ProgramCsvHeader().toUtf8() + "\r\n";
    for (const ProgramItem& item : program) {
        csv += CsvCell(item.text) + ',' + CsvCell(StyleName(item.style)) + ',' + CsvCell(HoldSecondsText(item.holdSeconds)) +
               ',' + CsvCell(SpeedName(item.speed)) + ',' + CsvCell(AlignName(item.align)) + "\r\n";
    }
    return csv;
}

ProgramFileRead ReadProgramCsv(const QByteArray& bytes) {
    if (bytes.size() > kMaxProgramFileBytes)
        return Refused(0, QStringLiteral("檔案太大：節目檔最多 %1，這可能不是節目檔。")
                              .arg(QLocale::c().formattedDataSize(kMaxProgramFileBytes, 0)));
    const DecodedText decoded = DecodeText(bytes);
    if (decoded.refusal != DecodedText::Refusal::None) return Refused(0, decoded.why);
    const CsvRows parsed = ParseCsv(decoded.text.toUtf8());
    if (parsed.badLine > 0)
        return Refused(parsed.badLine, QStringLiteral("引號用得不對：有引號的格子要整格用一對 \" 括起來，"
                                                      "格子裡的 \" 要寫成 \"\"。"));
    const CsvRows* rows = &parsed;
    if (rows->rows.empty()) return Refused(1, QStringLiteral("檔案是空的，第一列要是「%1」。").arg(ProgramCsvHeader()));
    const auto& header = rows->rows.front();
    QStringList names;
    for (const QString& cell : header.cells) names << cell.trimmed();
    while (!names.isEmpty() && names.back().isEmpty()) names.removeLast();
    if (names.join(u',') != ProgramCsvHeader())
        return Refused(header.line, QStringLiteral("第一列要是「%1」，這不像節目檔。").arg(ProgramCsvHeader()));

    ProgramFileRead read;
    read.encoding = EncodingName(decoded.encoding);
    for (std::size_t r = 1; r < rows->rows.size(); ++r) {
        const auto& row = rows->rows[r];
        // A spreadsheet saves a blank row as commas alone.
        if (std::all_of(row.cells.begin(), row.cells.end(), [](const QString& c) { return c.trimmed().isEmpty(); }))
            continue;
        QString why;
        const auto item = ItemFrom(row.cells, why);
        if (!item) return Refused(row.line, why);
        read.program.push_back(*item);
    }
    read.ok = true;
    return read;
}

ProgramFileRead ReadProgramFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(0, QStringLiteral("打不開「%1」：%2").arg(path, file.errorString()));
    const QByteArray bytes = file.read(kMaxProgramFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Refused(0, QStringLiteral("讀不完「%1」：%2").arg(path, file.errorString()));
    return ReadProgramCsv(bytes);
}

std::optional<QString> SaveProgramFile(const QString& path, const Program& program) {
    return WriteAtomically(path, ProgramCsv(program));
}

}  // namespace award
