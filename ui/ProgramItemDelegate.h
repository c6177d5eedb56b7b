#pragma once

#include <QStyledItemDelegate>

namespace award {

// In-place editors of the 節目表: a list of the named values for the style,
// the speed and the alignment, a spin box in the sign's steps for the hold
// time and one for a picture's threshold, buttons that choose or clear the
// picture, and for the text a field that takes it whole, line breaks included.
class ProgramItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    // The picture's buttons are wider than an empty 圖片 column: they reach
    // over the cells beside it, never past the table's edge.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};

}  // namespace award
