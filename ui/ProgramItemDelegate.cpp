#include "ui/ProgramItemDelegate.h"

#include "program/Program.h"
#include "ui/ItemTextEditor.h"
#include "ui/MessageBoxes.h"
#include "ui/PictureCellEditor.h"
#include "ui/ProgramTableModel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QSpinBox>

#include <algorithm>
#include <array>

namespace award {
namespace {

template <class Value, std::size_t N>
QStringList NamesOf(const std::array<Value, N>& values, QString (*name)(Value)) {
    QStringList names;
    for (const Value value : values) names << name(value);
    return names;
}

QStringList NamesOf(int column) {
    switch (column) {
    case ProgramTableModel::Style: return NamesOf(kItemStyles, StyleName);
    case ProgramTableModel::Speed: return NamesOf(kMarqueeSpeeds, SpeedName);
    case ProgramTableModel::Align: return NamesOf(kItemAligns, AlignName);
    default: return {};
    }
}

}  // namespace

QWidget* ProgramItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    // Qt asks for editors through a const delegate, yet an editor commits
    // through the delegate's signal.
    auto* self = const_cast<ProgramItemDelegate*>(this);
    if (index.column() == ProgramTableModel::Hold) {
        auto* seconds = new QDoubleSpinBox(parent);
        seconds->setDecimals(1);
        seconds->setRange(kMinHoldSeconds, kMaxHoldSeconds);
        seconds->setSingleStep(kHoldStepSeconds);
        seconds->setSuffix(QStringLiteral(" 秒"));
        // Into the item at once, so that the preview plays what is being chosen.
        connect(seconds, &QDoubleSpinBox::valueChanged, self, [self, seconds] { emit self->commitData(seconds); });
        return seconds;
    }
    if (const QStringList names = NamesOf(index.column()); !names.isEmpty()) {
        auto* choice = new QComboBox(parent);
        choice->addItems(names);
        connect(choice, &QComboBox::activated, self, [self, choice] { emit self->commitData(choice); });
        return choice;
    }
    if (index.column() == ProgramTableModel::Threshold) {
        auto* level = new QSpinBox(parent);
        level->setRange(0, kMaxPictureThreshold);
        // The lowest value stands for the picture's own threshold.
        level->setSpecialValueText(ThresholdName(std::nullopt));
        level->setToolTip(QStringLiteral("比門檻暗的點會亮（反相時是比門檻亮的點）；%1是依圖片自己選的門檻")
                              .arg(ThresholdName(std::nullopt)));
        connect(level, &QSpinBox::valueChanged, self, [self, level] { emit self->commitData(level); });
        return level;
    }
    const auto done = [self](QWidget* editor) {
        emit self->commitData(editor);
        emit self->closeEditor(editor, QAbstractItemDelegate::NoHint);
    };
    if (index.column() == ProgramTableModel::Text) return new ItemTextEditor(parent, done);
    if (index.column() == ProgramTableModel::Picture)
        return new PictureCellEditor(parent, index.data(Qt::EditRole).toString(), done);
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void ProgramItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QVariant value = index.data(Qt::EditRole);
    if (auto* seconds = qobject_cast<QDoubleSpinBox*>(editor))
        seconds->setValue(value.toDouble());
    else if (auto* level = qobject_cast<QSpinBox*>(editor))
        level->setValue(value.toInt());
    else if (dynamic_cast<PictureCellEditor*>(editor))
        return;
    else if (auto* choice = qobject_cast<QComboBox*>(editor))
        choice->setCurrentText(value.toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void ProgramItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* seconds = qobject_cast<QDoubleSpinBox*>(editor)) {
        seconds->interpretText();
        model->setData(index, seconds->value());
    } else if (auto* level = qobject_cast<QSpinBox*>(editor)) {
        level->interpretText();
        model->setData(index, level->value());
    } else if (auto* picture = dynamic_cast<PictureCellEditor*>(editor)) {
        auto* program = dynamic_cast<ProgramTableModel*>(model);
        if (!picture->Choice() || !program) return;
        if (const auto why = program->SetPicture(index.row(), *picture->Choice()))
            Warn(editor->window(), QStringLiteral("無法使用圖片「%1」").arg(QFileInfo(*picture->Choice()).fileName()), *why);
    } else if (auto* choice = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, choice->currentText());
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

void ProgramItemDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const {
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    if (!dynamic_cast<PictureCellEditor*>(editor)) return;
    QRect place = editor->geometry();
    place.setWidth(std::max(place.width(), editor->sizeHint().width()));
    if (const int edge = editor->parentWidget()->width(); place.right() >= edge) place.moveRight(edge - 1);
    editor->setGeometry(place);
}

}  // namespace award
