#include "ui/ProgramTableModel.h"

#include "files/ProgramFile.h"
#include "program/ProgramFormat.h"

#include <QColor>
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

int ProgramTableModel::Duplicate(int row) { return Valid(row) ? Add(row, Item(row)) : -1; }

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

int ProgramTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

namespace {

// Whether the item's way of showing uses the setting at all: a marquee has no
// pages to hold or align, and only steps that move have a speed.
bool Uses(const ProgramItem& item, int column) {
    switch (column) {
    case ProgramTableModel::Hold:
    case ProgramTableModel::Align:
        return StyleHasPages(item.style);
    case ProgramTableModel::Speed:
        return StyleUsesSpeed(item.style);
    default:
        return true;
    }
}

}  // namespace

QVariant ProgramTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !Valid(index.row())) return {};
    const ProgramItem& item = Item(index.row());
    if (role == Qt::ForegroundRole || role == Qt::ToolTipRole) {
        if (Uses(item, index.column())) return {};
        return role == Qt::ForegroundRole ? QVariant(QColor(Qt::gray))
                                          : QVariant(StyleName(item.style) + QStringLiteral("用不到這一欄"));
    }
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
    default:
        return {};
    }
}

namespace {

// The editor hands over a number; a pasted or typed text is read as files are.
std::optional<double> HoldSeconds(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) return HoldSecondsFrom(QStringView(value.toString()));
    bool isNumber = false;
    const double seconds = value.toDouble(&isNumber);
    return isNumber ? HoldSecondsFrom(seconds) : std::nullopt;
}

template <class Value>
bool Take(const std::optional<Value>& value, Value& into) {
    if (!value) return false;
    into = *value;
    return true;
}

}  // namespace

bool ProgramTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !Valid(index.row()) || role != Qt::EditRole) return false;
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
    default:
        break;
    }
    if (taken && item != before) {
        // A new style greys or clears the settings it does not use.
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
        Record(std::move(program),
               QStringLiteral("修改第 %1 項的%2").arg(index.row() + 1).arg(headerData(index.column(), Qt::Horizontal).toString()),
               // A text is typed, so each edit of it is a step of its own.
               index.column() == Text ? -1 : index.row() * ColumnCount + index.column());
    }
    return taken;
}

QVariant ProgramTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    // The columns of program files, in the same order.
    static const QStringList kHeaders = ProgramCsvHeader().split(u',');
    return section >= 0 && section < ColumnCount ? QVariant(kHeaders.value(section)) : QVariant();
}

Qt::ItemFlags ProgramTableModel::flags(const QModelIndex& index) const {
    // Rows are dropped between rows, never onto one.
    return index.isValid() ? QAbstractTableModel::flags(index) | Qt::ItemIsEditable | Qt::ItemIsDragEnabled
                           : Qt::ItemIsDropEnabled;
}

namespace {
const QString kDraggedRow = QStringLiteral("application/x-award-banner-program-row");
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
