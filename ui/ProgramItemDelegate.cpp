#include "ui/ProgramItemDelegate.h"

#include "program/Program.h"
#include "ui/ItemTextEditor.h"
#include "ui/ProgramTableModel.h"

#include <QComboBox>
#include <QDoubleSpinBox>

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
    if (index.column() == ProgramTableModel::Text) {
        return new ItemTextEditor(parent, [self](QWidget* text) {
            emit self->commitData(text);
            emit self->closeEditor(text, QAbstractItemDelegate::NoHint);
        });
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void ProgramItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QVariant value = index.data(Qt::EditRole);
    if (auto* seconds = qobject_cast<QDoubleSpinBox*>(editor))
        seconds->setValue(value.toDouble());
    else if (auto* choice = qobject_cast<QComboBox*>(editor))
        choice->setCurrentText(value.toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void ProgramItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* seconds = qobject_cast<QDoubleSpinBox*>(editor)) {
        seconds->interpretText();
        model->setData(index, seconds->value());
    } else if (auto* choice = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, choice->currentText());
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

}  // namespace award
