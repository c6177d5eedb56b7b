#pragma once

#include "program/Program.h"

#include <QAbstractTableModel>

#include <optional>

class QUndoStack;

namespace award {

// The sign program as the 節目表 shows it: one row per item, one column per
// setting, in the words the editor and program files share. Edits go straight
// into the program; a value the sign cannot take is refused, never bent.
class ProgramTableModel : public QAbstractTableModel {
public:
    enum Column { Text, Style, Hold, Speed, Align, Picture, Threshold, Inverted, ColumnCount };

    explicit ProgramTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    const Program& Items() const { return program_; }
    void SetItems(Program program);
    const ProgramItem& Item(int row) const { return program_.at(static_cast<std::size_t>(row)); }

    // Reads the picture file into the item, as one edit, or says why it
    // cannot be shown; an empty path takes the picture and its settings
    // away. A new picture's threshold is its own again; 反相 stays.
    std::optional<QString> SetPicture(int row, const QString& path);

    // Each gives the row the item now stands in, or -1 when nothing moved.
    int Add(int after, ProgramItem item = {});
    int Duplicate(int row) { return Valid(row) ? Add(row, Item(row)) : -1; }
    int MoveBy(int row, int offset) { return MoveTo(row, row + offset); }
    int MoveTo(int row, int to);
    bool Remove(int row);

    // Every edit from now on goes onto the stack as one step to undo; the
    // items set as a whole start it afresh.
    void RecordEditsIn(QUndoStack* stack) { undo_ = stack; }
    // Replaces the items as one edit, to be undone like any other.
    void ReplaceItems(Program program, const QString& what);
    // Puts the items back as an undo or redo has them, telling the views of
    // only the rows that differ.
    void Restore(const Program& program);

    // Since the program was last set as a whole.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A row dragged to another place in the table moves there, as one edit.
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    // Marks the program modified and puts the edit just made on the undo
    // stack; `cell` lets edits of one cell in a row become a single step.
    void Record(Program before, const QString& what, int cell = -1);
    // Tells the views of the row and records the edit of one cell, when
    // anything changed.
    void Edited(int row, int column, Program before, const ProgramItem& old);
    void Reset(Program program);
    bool Valid(int row) const { return row >= 0 && row < static_cast<int>(program_.size()); }

    Program program_;
    bool modified_ = false;
    QUndoStack* undo_ = nullptr;
};

}  // namespace award
