#include "ui/ProgramTableModel.h"

#include "files/PictureFile.h"
#include "files/ProgramFile.h"
#include "picture/PictureLeds.h"
#include "program/ProgramFormat.h"
#include "ui/PictureThumbnail.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUndoStack>

#include <algorithm>
#include <utility>

namespace award {
namespace {

// One edit of the program, kept as the items before and after it: a program
// holds at most a few thousand items, each text shared, not copied.
class ProgramEdit : public QUndoCommand {
public:
    ProgramEdit(ProgramTableModel& model, Program before, Program after, const QString& what, int cell)
        : QUndoCommand(what), model_(model), before_(std::move(before)), after_(std::move(after)), cell_(cell) {}

    void undo() override { model_.Restore(before_); }
    // The first time, the edit has been made already.
    void redo() override {
        if (!done_) model_.Restore(after_);
        done_ = false;
    }
    int id() const override { return cell_ < 0 ? -1 : 1; }
    // The steps of a spin box, or one cell typed over twice, undo as one.
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const ProgramEdit*>(other);
        if (next->cell_ != cell_) return false;
        after_ = next->after_;
        return true;
    }

private:
    ProgramTableModel& model_;
    Program before_;
    Program after_;
    int cell_;
    bool done_ = true;
};

// Why the item does not use the setting, or nothing when it does: a marquee
// has no pages to hold or align, only steps that move have a speed, and the
// threshold and 反相 are a picture's.
QString Unused(const ProgramItem& item, int column) {
    const QString byStyle = StyleName(item.style) + QStringLiteral("用不到這一欄");
    switch (column) {
    case ProgramTableModel::Hold:
    case ProgramTableModel::Align:
        return StyleHasPages(item.style) ? QString() : byStyle;
    case ProgramTableModel::Speed:
        return StyleUsesSpeed(item.style) ? QString() : byStyle;
    case ProgramTableModel::Threshold:
    case ProgramTableModel::Inverted:
        return item.picture.HasPicture() ? QString() : QStringLiteral("沒有圖片，用不到這一欄");
    default:
        return {};
    }
}

QVariant PictureData(const ItemPicture& picture, int role) {
    if (!picture.HasPicture()) return {};
    switch (role) {
    case Qt::DisplayRole: return QFileInfo(picture.path).fileName();
    case Qt::EditRole: return picture.path;
    case Qt::DecorationRole: return PictureThumbnail(picture);
    case Qt::ToolTipRole:
        return QStringLiteral("%1\n看板上 %2 欄寬").arg(QDir::toNativeSeparators(picture.path)).arg(picture.rows.width());
    default: return {};
    }
}

// The editor hands over a number; a pasted or typed text is read as files are.
std::optional<double> HoldSeconds(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) return HoldSecondsFrom(QStringView(value.toString()));
    bool isNumber = false;
    const double seconds = value.toDouble(&isNumber);
    return isNumber ? HoldSecondsFrom(seconds) : std::nullopt;
}

// The editor's 0, or 自動 typed, leaves the threshold to the picture.
bool TakeThreshold(const QVariant& value, std::optional<int>& threshold) {
    if (value.toString() == ThresholdName(std::nullopt)) {
        threshold.reset();
        return true;
    }
    bool isNumber = false;
    const int level = value.toInt(&isNumber);
    if (!isNumber || (level != 0 && (level < kMinPictureThreshold || level > kMaxPictureThreshold))) return false;
    threshold = level == 0 ? std::nullopt : std::optional<int>(level);
    return true;
}

template <class Value>
bool Take(const std::optional<Value>& value, Value& into) {
    if (!value) return false;
    into = *value;
    return true;
}

const QString kDraggedRow = QStringLiteral("application/x-award-banner-program-row");

}  // namespace

void ProgramTableModel::Reset(Program program) {
    beginResetModel();
    program_ = std::move(program);
    endResetModel();
}

void ProgramTableModel::SetItems(Program program) {
    Reset(std::move(program));
    modified_ = false;
    if (undo_) undo_->clear();
}

void ProgramTableModel::ReplaceItems(Program program, const QString& what) {
    Program before = program_;
    Reset(std::move(program));
    Record(std::move(before), what);
}

void ProgramTableModel::Record(Program before, const QString& what, int cell) {
    modified_ = true;
    if (undo_) undo_->push(new ProgramEdit(*this, std::move(before), program_, what, cell));
}

void ProgramTableModel::Restore(const Program& program) {
    const auto size = static_cast<qsizetype>(program.size());
    const auto now = static_cast<qsizetype>(program_.size());
    // The first row that differs; an item added or taken away shifts the rest by one.
    const auto differ = std::mismatch(program.begin(), program.end(), program_.begin(), program_.end());
    const qsizetype first = differ.first - program.begin();
    const auto restEqual = [&](qsizetype from, qsizetype to) {
        return std::equal(program.begin() + from, program.end(), program_.begin() + to, program_.end());
    };
    if (size == now + 1 && restEqual(first + 1, first)) {
        beginInsertRows({}, int(first), int(first));
        program_.insert(program_.begin() + first, program[std::size_t(first)]);
        endInsertRows();
    } else if (size + 1 == now && restEqual(first, first + 1)) {
        beginRemoveRows({}, int(first), int(first));
        program_.erase(program_.begin() + first);
        endRemoveRows();
    } else if (size == now) {
        for (qsizetype row = first; row < size; ++row) {
            if (program[std::size_t(row)] == program_[std::size_t(row)]) continue;
            program_[std::size_t(row)] = program[std::size_t(row)];
            emit dataChanged(index(int(row), 0), index(int(row), ColumnCount - 1));
        }
    } else {
        Reset(program);
    }
    modified_ = true;
}

int ProgramTableModel::Add(int after, ProgramItem item) {
    const int row = Valid(after) ? after + 1 : rowCount();
    Program before = program_;
    beginInsertRows({}, row, row);
    program_.insert(program_.begin() + row, std::move(item));
    endInsertRows();
    Record(std::move(before), QStringLiteral("加入第 %1 項").arg(row + 1));
    return row;
}

int ProgramTableModel::MoveTo(int row, int to) {
    if (!Valid(row) || !Valid(to) || to == row) return -1;
    // Qt counts the destination before the move takes the row out.
    Program before = program_;
    if (!beginMoveRows({}, row, row, {}, to > row ? to + 1 : to)) return -1;
    ProgramItem item = std::move(program_[std::size_t(row)]);
    program_.erase(program_.begin() + row);
    program_.insert(program_.begin() + to, std::move(item));
    endMoveRows();
    Record(std::move(before), QStringLiteral("移動第 %1 項").arg(row + 1));
    return to;
}

bool ProgramTableModel::Remove(int row) {
    if (!Valid(row)) return false;
    Program before = program_;
    beginRemoveRows({}, row, row);
    program_.erase(program_.begin() + row);
    endRemoveRows();
    Record(std::move(before), QStringLiteral("刪除第 %1 項").arg(row + 1));
    return true;
}

int ProgramTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(program_.size());
}

QVariant ProgramTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !Valid(index.row())) return {};
    const ProgramItem& item = Item(index.row());
    if (role == Qt::ForegroundRole || role == Qt::ToolTipRole) {
        const QString unused = Unused(item, index.column());
        if (!unused.isEmpty()) return role == Qt::ForegroundRole ? QVariant(QColor(Qt::gray)) : QVariant(unused);
    }
    if (index.column() == Picture) return PictureData(item.picture, role);
    if (index.column() == Inverted)
        return role == Qt::CheckStateRole ? QVariant(item.picture.inverted ? Qt::Checked : Qt::Unchecked) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
    case Text:
        return item.text;
    case Style:
        return StyleName(item.style);
    case Hold:
        return role == Qt::EditRole ? QVariant(item.holdSeconds) : QVariant(HoldSecondsText(item.holdSeconds));
    case Speed:
        return SpeedName(item.speed);
    case Align:
        return AlignName(item.align);
    case Threshold:
        // The picture's own threshold is shown, so that the user knows where
        // a moved one starts from.
        if (role == Qt::EditRole) return item.picture.threshold.value_or(0);
        if (item.picture.threshold || !item.picture.HasPicture()) return ThresholdName(item.picture.threshold);
        return QStringLiteral("%1（%2）")
            .arg(ThresholdName(std::nullopt))
            .arg(OtsuThreshold(item.picture.rows, item.picture.inverted));
    default:
        return {};
    }
}

std::optional<QString> ProgramTableModel::SetPicture(int row, const QString& path) {
    if (!Valid(row)) return QStringLiteral("沒有第 %1 項。").arg(row + 1);
    ItemPicture picture;
    if (!path.isEmpty()) {
        const PictureRead read = ReadSignPicture(path);
        if (read.refusal) return read.refusal.why;
        picture.path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        picture.rows = read.rows;
        picture.inverted = Item(row).picture.inverted;
    }
    Program before = undo_ ? program_ : Program();
    const ProgramItem old = Item(row);
    program_[std::size_t(row)].picture = std::move(picture);
    Edited(row, Picture, std::move(before), old);
    return std::nullopt;
}

void ProgramTableModel::Edited(int row, int column, Program before, const ProgramItem& old) {
    if (Item(row) == old) return;
    // A new style greys or clears the settings it does not use.
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    // A text is typed, a picture chosen and 反相 ticked, so each edit of
    // them is a step of its own; the steps of a spin box undo as one.
    const bool ownStep = column == Text || column == Picture || column == Inverted;
    Record(std::move(before),
           QStringLiteral("修改第 %1 項的%2").arg(row + 1).arg(headerData(column, Qt::Horizontal).toString()),
           ownStep ? -1 : row * ColumnCount + column);
}

bool ProgramTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !Valid(index.row())) return false;
    if (index.column() == Picture && role == Qt::EditRole) return !SetPicture(index.row(), value.toString());
    const bool ticked = index.column() == Inverted && role == Qt::CheckStateRole;
    if (role != Qt::EditRole && !ticked) return false;
    ProgramItem& item = program_[std::size_t(index.row())];
    const ProgramItem before = item;
    Program program = undo_ ? program_ : Program();
    const QString name = value.toString();
    bool taken = false;
    switch (index.column()) {
    case Text:
        taken = value.canConvert<QString>();
        if (taken) item.text = name;
        break;
    case Style:
        taken = Take(StyleNamed(name), item.style);
        break;
    case Hold:
        taken = Take(HoldSeconds(value), item.holdSeconds);
        break;
    case Speed:
        taken = Take(SpeedNamed(name), item.speed);
        break;
    case Align:
        taken = Take(AlignNamed(name), item.align);
        break;
    case Threshold:
        taken = TakeThreshold(value, item.picture.threshold);
        break;
    case Inverted:
        taken = Take(ticked ? std::optional<bool>(value.toInt() == Qt::Checked) : InvertedNamed(name),
                     item.picture.inverted);
        break;
    default:
        break;
    }
    if (taken) Edited(index.row(), index.column(), std::move(program), before);
    return taken;
}

QVariant ProgramTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    // The columns of program files, in the same order.
    static const QStringList kHeaders = ProgramCsvColumns();
    return section >= 0 && section < ColumnCount ? QVariant(kHeaders.value(section)) : QVariant();
}

Qt::ItemFlags ProgramTableModel::flags(const QModelIndex& index) const {
    // Rows are dropped between rows, never onto one.
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled |
           (index.column() == Inverted ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

QStringList ProgramTableModel::mimeTypes() const { return {kDraggedRow}; }

QMimeData* ProgramTableModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty() || !Valid(indexes.front().row())) return nullptr;
    auto* data = new QMimeData;
    data->setData(kDraggedRow, QByteArray::number(indexes.front().row()));
    return data;
}

bool ProgramTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex&) {
    if (!data || action != Qt::MoveAction) return false;
    bool isRow = false;
    const int from = data->data(kDraggedRow).toInt(&isRow);
    if (!isRow || !Valid(from)) return false;
    // `row` is the gap the row is dropped into; -1 below the last row.
    const int gap = row < 0 ? rowCount() : row;
    MoveTo(from, gap > from ? gap - 1 : gap);
    // The view would otherwise take the dragged row away, as from another table.
    return false;
}

}  // namespace award
