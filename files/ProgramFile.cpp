#include "files/ProgramFile.h"

#include "files/AtomicFile.h"
#include "files/PictureFile.h"
#include "files/PicturePath.h"
#include "files/RegularFile.h"
#include "files/TextDecoding.h"

#include <csv.h>

#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <new>
#include <memory>
#include <vector>

namespace award {
namespace {

// Many times the longest program the board holds.
constexpr qsizetype kMaxProgramFileBytes = 4 * 1024 * 1024;
// 內容 to 對齊, which every program file has.
constexpr int kPlainColumns = 5;
enum PictureColumn { kPicture = kPlainColumns, kThreshold, kInverted };

QString TooLarge() {
    return QStringLiteral("檔案太大：節目檔最多 %1，這可能不是節目檔。")
        .arg(QLocale::c().formattedDataSize(kMaxProgramFileBytes, 0));
}

ProgramFileRead Refuse(int line, int row, const QString& why) {
    return Refuse<ProgramFileRead>(Refusal{line, why, Refusal::Kind::Malformed, row});
}

// The cell separators spreadsheets save with: Excel writes semicolons where
// the comma is the decimal mark, and tabs in its 「Unicode 文字」.
struct Separator {
    char byte;
    const char16_t* name;
};
constexpr std::array<Separator, 3> kSeparators{{{',', u"逗號"}, {'\t', u"Tab"}, {';', u"分號"}}};

// Rows as libcsv cuts them, each with the line of the file and the row of the
// spreadsheet it starts on: they part where a quoted cell holds line breaks.
struct CsvRows {
    struct Row {
        int line = 0;
        int row = 0;
        std::vector<QString> cells;
    };
    std::vector<Row> rows;
    Row current;
    bool atRowStart = true;
    bool rowEnded = false;
    int line = 1;
    int row = 1;
    // Where the row libcsv could not read begins; 0 when it read them all.
    int badLine = 0;
    int badRow = 0;

    void MarkBad() {
        badLine = current.line;
        badRow = current.row;
    }

    static void Cell(void* cell, std::size_t size, void* data) {
        auto* rows = static_cast<CsvRows*>(data);
        // A cell is text the file held: a U+FEFF it starts with is the
        // user's, not a byte-order mark to drop.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        rows->current.cells.push_back(utf8(QByteArrayView(static_cast<const char*>(cell), static_cast<qsizetype>(size))));
    }
    static void RowEnd(int, void* data) {
        auto* rows = static_cast<CsvRows*>(data);
        // Every line break outside quotes ends a row, blank or not; a blank
        // one holds no cells and stands for no item.
        if (!rows->current.cells.empty()) rows->rows.push_back(std::move(rows->current));
        rows->current = {};
        rows->atRowStart = true;
        rows->rowEnded = true;
    }
};

struct ParserDeleter {
    void operator()(csv_parser* parser) const {
        csv_free(parser);
        delete parser;
    }
};

// Between tab-separated cells a tab is no space to trim.
int IsBlank(unsigned char c) { return c == ' ' ? 1 : 0; }

// Fed a byte at a time, so that each row knows the line it starts on even
// when a quoted cell holds line breaks; CR, LF and CR LF each end one line.
// With `firstRowOnly` it stops once the first row is whole.
CsvRows ParseCsv(const QByteArray& utf8, char separator, bool firstRowOnly = false) {
    CsvRows rows;
    std::unique_ptr<csv_parser, ParserDeleter> parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL) != 0) throw std::bad_alloc();
    csv_set_delim(parser.get(), static_cast<unsigned char>(separator));
    if (separator == '\t') csv_set_space_func(parser.get(), IsBlank);
    char previous = '\0';
    for (const char byte : utf8) {
        const bool lineEnd = byte == '\n' || byte == '\r';
        if (rows.atRowStart && !lineEnd) {
            rows.atRowStart = false;
            rows.current.line = rows.line;
            rows.current.row = rows.row;
        }
        rows.rowEnded = false;
        if (csv_parse(parser.get(), &byte, 1, CsvRows::Cell, CsvRows::RowEnd, &rows) != 1) {
            rows.MarkBad();
            return rows;
        }
        if (byte == '\r' || (byte == '\n' && previous != '\r')) {
            ++rows.line;
            if (rows.rowEnded) ++rows.row;
        }
        previous = byte;
        if (firstRowOnly && !rows.rows.empty()) return rows;
    }
    if (csv_fini(parser.get(), CsvRows::Cell, CsvRows::RowEnd, &rows) != 0) rows.MarkBad();
    return rows;
}

const QString kBadQuotes = QStringLiteral("引號用得不對：有引號的格子要整格用一對 \" 括起來，格子裡的 \" 要寫成 \"\"。");

// Control characters shown by their code, so that the user can find them.
QString Shown(const QString& text) {
    QString shown;
    for (const QChar c : text)
        shown += c.category() == QChar::Other_Control && c != u'\t'
                     ? QStringLiteral("〈U+%1〉").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper()
                     : QString(c);
    return shown;
}

// How many of the columns the header row names, or 0 when it is no header of ours.
qsizetype HeaderColumns(const QStringList& names) {
    const QStringList all = ProgramCsvColumns();
    return names.size() >= kPlainColumns && names.size() <= all.size() && names == all.first(names.size())
               ? names.size()
               : 0;
}

QString ColumnsInWords(qsizetype columns) {
    return QStringLiteral("%1 %2欄")
        .arg(ProgramCsvColumns().first(columns).join(QStringLiteral("、")),
             QStringLiteral("五六七八").mid(columns - kPlainColumns, 1));
}

// The header row's cells, trailing blank ones left out.
QStringList NamesOf(const CsvRows::Row& row) {
    QStringList names;
    for (const QString& cell : row.cells) names << cell.trimmed();
    while (!names.isEmpty() && names.back().isEmpty()) names.removeLast();
    return names;
}

// A named setting's cell: left as it is when empty, else the value it names;
// false, with why, for a name it does not know.
template <class Value>
bool TakeNamed(const QString& cell, std::optional<Value> (*named)(QStringView), const QString& setting,
               const QString& names, Value& value, QString& why) {
    if (cell.isEmpty()) return true;
    const auto found = named(cell);
    if (!found) {
        why = QStringLiteral("%1「%2」不認得，要是 %3。").arg(setting, Shown(cell), names);
        return false;
    }
    value = *found;
    return true;
}

// The picture a cell names, read once however many rows name it.
class PictureCells {
public:
    explicit PictureCells(const QDir& folder) : folder_(folder) {}

    // False, with why, when the picture cannot be read.
    bool Take(const QString& cell, ItemPicture& picture, QString& why) {
        if (cell.isEmpty()) return true;
        const QString path = PicturePathFromFile(cell, folder_);
        auto read = read_.find(path);
        if (read == read_.end()) read = read_.insert(path, ReadSignPicture(path));
        if (read->refusal) {
            why = QStringLiteral("圖片「%1」無法使用：%2").arg(Shown(cell), read->refusal.why);
            return false;
        }
        picture.path = path;
        picture.rows = read->rows;
        return true;
    }

private:
    QDir folder_;
    QHash<QString, PictureRead> read_;
};

// 自動 or empty leave the threshold to the picture.
bool TakeThreshold(const QString& cell, std::optional<int>& threshold, QString& why) {
    if (cell.isEmpty() || cell == ThresholdName(std::nullopt)) return true;
    static const QRegularExpression kLevel(QStringLiteral("^[0-9]{1,3}$"));
    const int level = kLevel.match(cell).hasMatch() ? cell.toInt() : 0;
    if (level < kMinPictureThreshold || level > kMaxPictureThreshold) {
        why = QStringLiteral("門檻「%1」不對，要是 %2 或 %3 到 %4 的整數。")
                  .arg(Shown(cell), ThresholdName(std::nullopt))
                  .arg(kMinPictureThreshold)
                  .arg(kMaxPictureThreshold);
        return false;
    }
    threshold = level;
    return true;
}

// One row as an item, or why it cannot be one: a row has the header's columns.
std::optional<ProgramItem> ItemFrom(const std::vector<QString>& cells, qsizetype columns, bool decimalComma,
                                    PictureCells& pictures, QString& why) {
    ProgramItem item;
    const auto cell = [&](int column) { return column < int(cells.size()) ? cells[std::size_t(column)].trimmed() : QString(); };
    for (auto extra = std::size_t(columns); extra < cells.size(); ++extra)
        if (!cells[extra].trimmed().isEmpty()) {
            why = QStringLiteral("多了第 %1 欄「%2」；每列只有 %3。")
                      .arg(extra + 1)
                      .arg(Shown(cells[extra]), ColumnsInWords(columns));
            return std::nullopt;
        }
    if (!cells.empty()) item.text = cells[0];
    if (!TakeNamed(cell(1), StyleNamed, QStringLiteral("顯示方式"), StyleNamesInWords(), item.style, why))
        return std::nullopt;
    if (QString hold = cell(2); !hold.isEmpty()) {
        if (decimalComma && !hold.contains(u'.')) hold.replace(u',', u'.');
        const auto seconds = HoldSecondsFrom(hold);
        if (!seconds) {
            why = QStringLiteral("停留秒數「%1」不對，要是 %2 到 %3 之間的秒數，以 %4 秒為單位。")
                      .arg(Shown(cell(2)), HoldSecondsText(kMinHoldSeconds), HoldSecondsText(kMaxHoldSeconds),
                           HoldSecondsText(kHoldStepSeconds));
            return std::nullopt;
        }
        item.holdSeconds = *seconds;
    }
    if (!TakeNamed(cell(3), SpeedNamed, QStringLiteral("速度"), SpeedNamesInWords(), item.speed, why) ||
        !TakeNamed(cell(4), AlignNamed, QStringLiteral("對齊"), AlignNamesInWords(), item.align, why) ||
        !TakeThreshold(cell(kThreshold), item.picture.threshold, why) ||
        !TakeNamed(cell(kInverted), InvertedNamed, QStringLiteral("反相"),
                   InvertedName(true) + QStringLiteral(" 或 ") + InvertedName(false), item.picture.inverted, why))
        return std::nullopt;
    // A path keeps the spaces it has.
    if (kPicture < int(cells.size()) && !pictures.Take(cells[kPicture], item.picture, why)) return std::nullopt;
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

QString ProgramCsvHeader() { return ProgramCsvColumns().first(kPlainColumns).join(u','); }

QStringList ProgramCsvColumns() {
    return {QStringLiteral("內容"), QStringLiteral("顯示方式"), QStringLiteral("停留秒數"), QStringLiteral("速度"),
            QStringLiteral("對齊"), QStringLiteral("圖片"),     QStringLiteral("門檻"),     QStringLiteral("反相")};
}

QByteArray ProgramCsv(const Program& program, const QDir& folder) {
    const auto plain = [](const ProgramItem& item) { return item.picture == ItemPicture{}; };
    const bool pictures = !std::ranges::all_of(program, plain);
    // The byte-order mark tells Excel the file is UTF-8.
    QByteArray csv("\xEF\xBB\xBF");
    csv += (pictures ? ProgramCsvColumns().join(u',') : ProgramCsvHeader()).toUtf8() + "\r\n";
    for (const ProgramItem& item : program) {
        csv += CsvCell(item.text) + ',' + CsvCell(StyleName(item.style)) + ',' + CsvCell(HoldSecondsText(item.holdSeconds)) +
               ',' + CsvCell(SpeedName(item.speed)) + ',' + CsvCell(AlignName(item.align));
        if (pictures && plain(item)) csv += ",,,";
        if (pictures && !plain(item)) {
            const ItemPicture& picture = item.picture;
            csv += ',' + CsvCell(picture.path.isEmpty() ? QString() : PicturePathInFile(picture.path, folder)) + ',' +
                   CsvCell(ThresholdName(picture.threshold)) + ',' + CsvCell(InvertedName(picture.inverted));
        }
        csv += "\r\n";
    }
    return csv;
}

ProgramFileRead ReadProgramCsv(const QByteArray& bytes, const QDir& folder) {
    if (bytes.size() > kMaxProgramFileBytes) return Refuse(0, 0, TooLarge());
    // What the writer wrote the reader takes back: a 內容 may hold any
    // character, control characters too.
    const DecodedText decoded = DecodeText(bytes, ControlCharacters::Kept);
    if (decoded.refusal) return Refuse<ProgramFileRead>(decoded.refusal);
    const QByteArray utf8 = decoded.text.toUtf8();

    // The separator is the one that makes the first row our header.
    const Separator* separator = nullptr;
    qsizetype columns = 0;
    CsvRows::Row widest;
    const Separator* widestSeparator = &kSeparators.front();
    std::pair<int, int> badQuotes;  // the line and row where a first row's quotes went wrong
    for (const Separator& candidate : kSeparators) {
        const CsvRows first = ParseCsv(utf8, candidate.byte, true);
        if (first.rows.empty()) {
            badQuotes = {first.badLine, first.badRow};
            continue;
        }
        columns = HeaderColumns(NamesOf(first.rows.front()));
        if (columns > 0) {
            separator = &candidate;
            break;
        }
        if (first.rows.front().cells.size() > widest.cells.size()) {
            widest = first.rows.front();
            widestSeparator = &candidate;
        }
    }
    if (!separator) {
        if (widest.cells.empty() && badQuotes.first > 0)
            return Refuse(badQuotes.first, badQuotes.second, kBadQuotes);
        if (widest.cells.empty())
            return Refuse(1, 1, QStringLiteral("檔案是空的，第一列要是「%1」。").arg(ProgramCsvHeader()));
        QStringList shown;
        for (const QString& cell : widest.cells) shown << QStringLiteral("「%1」").arg(Shown(cell));
        const QString found = widest.cells.size() == 1
                                  ? QStringLiteral("這個檔案的第一列只有一格%1，找不到逗號、Tab 或分號分隔的格子").arg(shown.front())
                                  : QStringLiteral("這個檔案的第一列以%1分隔，是 %2 %3 格")
                                        .arg(QString::fromUtf16(widestSeparator->name), shown.join(u' '))
                                        .arg(widest.cells.size());
        return Refuse(widest.line, widest.row,
                       QStringLiteral("第一列要是 %1 這五格（以逗號分隔；有圖片時再加上 %2），%3，這不像節目檔。")
                           .arg(ProgramCsvColumns().first(kPlainColumns).join(QStringLiteral("、")),
                                ProgramCsvColumns().sliced(kPlainColumns).join(QStringLiteral("、")), found));
    }

    const CsvRows rows = ParseCsv(utf8, separator->byte);
    if (rows.badLine > 0) return Refuse(rows.badLine, rows.badRow, kBadQuotes);
    ProgramFileRead read;
    read.encoding = EncodingName(decoded.encoding);
    const bool decimalComma = separator->byte == ';';
    if (separator->byte != ',')
        read.notices << QStringLiteral("這個節目檔的格子以%1分隔%2；儲存時會存成以逗號分隔的 UTF-8 CSV。")
                            .arg(QString::fromUtf16(separator->name),
                                 decimalComma ? QStringLiteral("，停留秒數裡的逗號當成小數點") : QString());
    PictureCells pictures(folder);
    for (std::size_t r = 1; r < rows.rows.size(); ++r) {
        const auto& row = rows.rows[r];
        // A spreadsheet saves a blank row as separators alone.
        if (std::ranges::all_of(row.cells, [](const QString& c) { return c.trimmed().isEmpty(); })) continue;
        QString why;
        const auto item = ItemFrom(row.cells, columns, decimalComma, pictures, why);
        if (!item) return Refuse(row.line, row.row, why);
        read.program.push_back(*item);
    }
    return read;
}

ProgramFileRead ReadProgramFile(const QString& path) {
    const FileBytes file = ReadRegularFile(path, kMaxProgramFileBytes);
    if (file.refusal) return Refuse<ProgramFileRead>(file.refusal);
    return ReadProgramCsv(file.bytes, QFileInfo(path).absoluteDir());
}

Refusal SaveProgramFile(const QString& path, const Program& program) {
    const QByteArray csv = ProgramCsv(program, QFileInfo(path).absoluteDir());
    // What is saved must open again.
    if (csv.size() > kMaxProgramFileBytes) return {0, QStringLiteral("沒有儲存：") + TooLarge(), Refusal::Kind::TooLarge};
    return WriteAtomically(path, csv);
}

}  // namespace award
